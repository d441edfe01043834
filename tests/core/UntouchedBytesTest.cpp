// A rewrite keeps the bytes of what the user did not change: the other records of a record
// file, the other lines of the server list, and the texts of a record saved unchanged, for
// every byte value 0x00..0xFF (0x98 too, which has no character in code page 1251). An
// addition goes through the same rewrite of the records as a change.

#include "core/alarms/AlarmStore.h"
#include "core/base/OleDate.h"
#include "core/holidays/HolidayStore.h"
#include "core/tasks/TaskStore.h"
#include "core/timeservices/ServerList.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace domora {
namespace {

constexpr const char* kPath = "/app/Data/file.DMR";
constexpr std::size_t kRecords = 3;

struct Field {
    std::size_t offset;
    std::size_t capacity;
};

AlarmRecord SomeAlarm() {
    AlarmRecord r;
    r.Hour = 7;
    r.Minute = 30;
    r.AlarmDate = OleDateOnly(2027, 3, 9);
    r.Weekdays[2] = true;
    r.TextMessage = true;
    r.SwitchedOn = true;
    return r;
}

TaskRecord SomeTask() {
    TaskRecord r;
    r.Hour = 10;
    r.Minute = 5;
    r.TaskDate = OleDateOnly(2027, 3, 9);
    r.Active = true;
    return r;
}

struct StoreCase {
    const char* name;
    std::vector<std::uint8_t> blank; // a record the text fields are written over
    std::vector<Field> texts;
    std::function<StoreResult(MemoryFileStore&, int n)> saveUnchanged; // as an editor does
};

const StoreCase kStores[] = {
    {"alarms",
     EncodeAlarm(SomeAlarm()),
     {{23, 200}, {224, 10}, {237, 200}, {438, 100}, {540, 7}, {549, 100}, {651, 100}},
     [](MemoryFileStore& files, int n) {
         FakeClock clock;
         AlarmStore store(files, kPath, clock);
         return store.ChangeAlarm(n, store.LoadAlarm(n).record);
     }},
    {"holidays",
     EncodeHoliday(HolidayRecord{3, 8, "", ""}),
     {{2, 200}, {203, 200}},
     [](MemoryFileStore& files, int n) {
         HolidayStore store(files, kPath);
         const HolidayRecord r = store.ReadCelebs().holidays.at(static_cast<std::size_t>(n - 1));
         return store.ChangeCeleb(n, r.Event, r.Comment, OleDateOnly(2027, r.Month, r.Day));
     }},
    {"tasks",
     EncodeTask(SomeTask()),
     {{2, 28}, {41, 28}, {70, 100}, {171, 200}, {372, 100}},
     [](MemoryFileStore& files, int n) {
         TaskStore store(files, kPath);
         return store.ChangeTask(n, store.LoadTask(n).record);
     }},
};

// Records whose text fields are full and hold the byte values one after another, so that
// every value 0x00..0xFF is in each record.
std::vector<std::string> RecordsWithEveryByte(const StoreCase& c) {
    std::vector<std::string> records;
    unsigned next = 0;
    for (std::size_t r = 0; r < kRecords; ++r) {
        std::string record(c.blank.begin(), c.blank.end());
        for (const Field& field : c.texts) {
            record[field.offset] = static_cast<char>(field.capacity);
            for (std::size_t i = 1; i <= field.capacity; ++i) {
                record[field.offset + i] = static_cast<char>(next++ % 256);
            }
        }
        records.push_back(record);
    }
    return records;
}

// Where two files first differ ("same" when they do not), so that a failure names the place
// instead of printing kilobytes.
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto [at, _] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (a.size() == b.size() && at == a.end()) {
        return "same";
    }
    return "offset " + std::to_string(at - a.begin()) + " of " + std::to_string(a.size()) + "/" +
           std::to_string(b.size());
}

std::string Joined(const std::vector<std::string>& records) {
    std::string file;
    for (const std::string& record : records) {
        file += record;
    }
    return file;
}

TEST(UntouchedBytes, ARecordSavedUnchangedKeepsItsTexts) {
    for (const StoreCase& c : kStores) {
        SCOPED_TRACE(c.name);
        const std::string before = Joined(RecordsWithEveryByte(c));
        MemoryFileStore files;
        files.put(kPath, before);
        ASSERT_TRUE(c.saveUnchanged(files, 2));
        EXPECT_EQ(FirstDifference(files.files().at(kPath), before), "same");
    }
}

// The scheduler counting an alarm's repeats changes the count or the switch and nothing else.
TEST(UntouchedBytes, CountingRepeatsChangesOnlyTheCountOrTheSwitch) {
    struct Case {
        const char* repeat;
        const char* after;
        bool stillOn;
    };
    const Case cases[] = {{"3", "2", true}, {"1", "1", false}, {"Безконечно", "Безконечно", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.repeat);
        AlarmRecord alarm = SomeAlarm();
        alarm.Repeat = c.repeat;
        std::vector<std::string> records = RecordsWithEveryByte(kStores[0]);
        const auto encoded = EncodeAlarm(alarm);
        std::string& counted = records[1];
        // The counted alarm's texts other than the count keep every byte value, and its
        // fill bytes are not zero.
        counted.replace(kAlarmRepeatOffset, kRepeatChars + 1,
                        std::string(encoded.begin() + kAlarmRepeatOffset,
                                    encoded.begin() + kAlarmRepeatOffset + kRepeatChars + 1));
        counted.replace(3, 5, "\x98\x98\x98\x98\x98");
        MemoryFileStore files;
        files.put(kPath, Joined(records));
        FakeClock clock;
        AlarmStore store(files, kPath, clock);
        ASSERT_TRUE(store.StepRepeat(2, -1));

        std::vector<std::uint8_t> expected(counted.begin(), counted.end());
        alarm.Repeat = c.after;
        const auto stepped = EncodeAlarm(alarm);
        std::copy_n(stepped.begin() + kAlarmRepeatOffset, kRepeatChars + 1,
                    expected.begin() + kAlarmRepeatOffset);
        expected[kAlarmSwitchedOnOffset] = c.stillOn ? 1 : 0;
        counted.assign(expected.begin(), expected.end());
        EXPECT_EQ(FirstDifference(files.files().at(kPath), Joined(records)), "same");
    }
}

// Lines of the server list holding every byte value but the line ends, with each kind of
// line end, and a last line with or without one.
TEST(UntouchedBytes, AddingAServerKeepsTheOtherLines) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n') {
            everyByte.push_back(static_cast<char>(b));
        }
    }
    const std::string lines = everyByte.substr(0, 90) + "\r\n" + everyByte.substr(90, 90) + "\n" +
                              everyByte.substr(180) + "\r" + "\r\n" + "\x98\xFF";
    const std::pair<std::string, std::string> cases[] = {
        {lines, lines + "\r\nnew.org\r\n"},
        {lines + "\r\n", lines + "\r\nnew.org\r\n"},
        {lines + "\n", lines + "\nnew.org\r\n"},
        {lines + "\r", lines + "\rnew.org\r\n"},
        {"", "new.org\r\n"},
    };
    for (const auto& [before, after] : cases) {
        MemoryFileStore files;
        files.put(kPath, before);
        ASSERT_TRUE(AddServer(files, kPath, "new.org"));
        EXPECT_EQ(files.files().at(kPath), after);
        const auto names = LoadServers(files, kPath);
        ASSERT_TRUE(names.has_value());
        EXPECT_EQ(names->back(), "new.org");
    }
}

} // namespace
} // namespace domora
