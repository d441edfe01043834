#include "AlarmTestSupport.h"

#include "core/alarms/AlarmStore.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using test::Alarm;

constexpr const char* kPath = "/app/Data/Budil.DMR";

// Alarms told apart by their hour.
std::string FileOf(std::initializer_list<int> hours) {
    std::vector<AlarmRecord> alarms;
    for (const int hour : hours) {
        alarms.push_back(Alarm(hour, 5));
    }
    return test::FileOf(alarms);
}

struct StoreTest : ::testing::Test {
    StoreTest() {
        clock.setLocal(DateTime{2027, 3, 9, 0, 14, 20});
        store.addListener([this] { ++refills; });
    }
    std::vector<int> hours() const {
        std::vector<int> out;
        for (const auto& alarm : store.ReadAlarms().alarms) {
            out.push_back(alarm.Hour);
        }
        return out;
    }

    MemoryFileStore files;
    FakeClock clock;
    AlarmStore store{files, kPath, clock};
    int refills = 0;
};

TEST_F(StoreTest, EditsKeepTheOtherAlarmsAndTheirOrder) {
    // Listeners hear every write in the order added: this one after the fixture's.
    std::string heard;
    store.addListener([&] { heard += std::to_string(refills); });
    const auto revision = store.revision();
    files.put(kPath, FileOf({1, 2, 3, 4}));
    ASSERT_TRUE(store.DeleteAlarm(2));
    EXPECT_EQ(hours(), (std::vector<int>{1, 3, 4}));
    ASSERT_TRUE(store.AddAlarm(Alarm(9, 0)));
    ASSERT_TRUE(store.ChangeAlarm(1, Alarm(11, 0)));
    EXPECT_EQ(hours(), (std::vector<int>{11, 3, 4, 9}));
    EXPECT_EQ(heard, "123");
    EXPECT_EQ(store.revision(), revision + 3);

    // Resetting alarm 3 of 5 rewrites it alone, with today's date.
    files.put(kPath, FileOf({1, 2, 3, 4, 5}));
    ASSERT_TRUE(store.ResetAlarm(3));
    std::string expected = FileOf({1, 2, 3, 4, 5});
    const auto reset = EncodeAlarm(DefaultAlarm(clock.localNow()));
    expected.replace(2 * kAlarmRecordSize, kAlarmRecordSize, std::string(reset.begin(), reset.end()));
    EXPECT_EQ(files.files().at(kPath), expected);
    ASSERT_TRUE(store.ResetAllAlarms());
    EXPECT_EQ(files.files().at(kPath), test::FileOf(std::vector(5, DecodeAlarm(reset))));

    // Deleting the only alarm leaves an empty file.
    files.put(kPath, FileOf({7}));
    ASSERT_TRUE(store.DeleteAlarm(1));
    EXPECT_EQ(files.files().at(kPath), "");
    EXPECT_EQ(store.CountAlarms().count, 0);
}

TEST_F(StoreTest, LoadAlarmAndTheCutOfTheRecurrence) {
    files.put(kPath, "");
    EXPECT_EQ(store.LoadAlarm(1).record, DecodeAlarm(std::vector<std::uint8_t>(kAlarmRecordSize, 0)));
    files.put(kPath, FileOf({1, 2, 3, 4, 5}));
    EXPECT_EQ(store.LoadAlarm(0).record.Hour, 1);
    EXPECT_EQ(store.LoadAlarm(2).record.Hour, 2);
    EXPECT_EQ(store.LoadAlarm(7).record.Hour, 5);

    AlarmRecord r = Alarm(6, 0, "Каждый последний день месяца!!"); // 30 characters
    ASSERT_TRUE(store.AddAlarm(r));
    EXPECT_EQ(store.LoadAlarm(6).record.Recurrence, "Каждый последний день месяца");
    ASSERT_TRUE(store.ChangeAlarm(6, r));
    EXPECT_EQ(store.LoadAlarm(6).record.Recurrence, r.Recurrence);
}

TEST_F(StoreTest, StepRepeatCountsDownAndSwitchesOffAtTheLast) {
    struct Case {
        const char* repeat;
        const char* after;
        bool on;
    };
    for (const Case& c :
         {Case{"2", "1", true}, Case{"1", "1", false}, Case{"0", "0", false}, Case{"-3", "-3", false},
          Case{"Безконечно", "Безконечно", true}, Case{"раз", "раз", true}}) {
        files.put(kPath, FileOf({1, 2, 3}));
        ASSERT_TRUE(store.ChangeAlarm(2, Alarm(2, 5, "Всегда", c.repeat)));
        ASSERT_TRUE(store.StepRepeat(2, -1)) << c.repeat;
        const AlarmRecord r = store.LoadAlarm(2).record;
        EXPECT_EQ(r.Repeat, c.after) << c.repeat;
        EXPECT_EQ(r.SwitchedOn, c.on) << c.repeat;
        EXPECT_EQ(hours(), (std::vector<int>{1, 2, 3}));
    }
}

TEST_F(StoreTest, RefusalsAndFailuresWriteNothing) {
    const std::string full = test::FileOf(std::vector(100, Alarm(8, 0)));
    files.put(kPath, test::FileOf(std::vector(99, Alarm(8, 0))));
    EXPECT_TRUE(store.CanAddAlarm());
    files.put(kPath, full);
    const AlarmStoreResult refused = store.AddAlarm(Alarm(5, 0));
    EXPECT_EQ(refused.status, AlarmStoreResult::Status::Full);
    EXPECT_NE(refused.message.find("уже 100 будильников"), std::string::npos) << refused.message;
    EXPECT_EQ(store.CanAddAlarm().message, refused.message);
    EXPECT_EQ(files.files().at(kPath), full);
    for (const int n : {0, 101, -1}) {
        EXPECT_EQ(store.DeleteAlarm(n).status, AlarmStoreResult::Status::NoSuchRecord) << n;
        EXPECT_EQ(store.ResetAlarm(n).status, AlarmStoreResult::Status::NoSuchRecord) << n;
        EXPECT_EQ(store.ChangeAlarm(n, Alarm(9, 0)).status, AlarmStoreResult::Status::NoSuchRecord) << n;
    }
    files.setWritesFail(true);
    const AlarmStoreResult failed = store.DeleteAlarm(100);
    EXPECT_EQ(failed.status, AlarmStoreResult::Status::IoError);
    EXPECT_NE(failed.message.find("нет места на диске"), std::string::npos);
    EXPECT_EQ(files.files().at(kPath), full);
    EXPECT_EQ(refills, 0);

    files.setWritesFail(false);
    files.remove(kPath);
    const std::vector<std::function<AlarmStoreResult()>> operations = {
        [&] { return store.AddAlarm(Alarm(1, 0)); }, [&] { return store.ChangeAlarm(1, Alarm(1, 0)); },
        [&] { return store.LoadAlarm(1).result; },   [&] { return store.DeleteAlarm(1); },
        [&] { return store.ResetAlarm(1); },         [&] { return store.ResetAllAlarms(); },
        [&] { return store.StepRepeat(1, -1); },     [&] { return store.CountAlarms().result; },
        [&] { return store.CanAddAlarm(); },
    };
    for (std::size_t i = 0; i < operations.size(); ++i) {
        const AlarmStoreResult result = operations[i]();
        EXPECT_EQ(result.status, AlarmStoreResult::Status::FileMissing) << i;
        EXPECT_EQ(result.message, "Ошибка!\r\nФайл /app/Data/Budil.DMR не найден") << i;
        EXPECT_FALSE(files.exists(kPath)) << i;
    }
    // Clearing creates the missing file, silently.
    ASSERT_TRUE(store.ClearAlarms());
    EXPECT_EQ(files.files().at(kPath), "");
    EXPECT_EQ(refills, 1);
}

} // namespace
} // namespace domora
