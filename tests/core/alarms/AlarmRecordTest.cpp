#include "AlarmTestSupport.h"

#include "core/alarms/AlarmStore.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using test::Dump;

std::vector<std::uint8_t> Record(const std::string& file, std::size_t i) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(file.data()) + i * kAlarmRecordSize;
    return {first, first + kAlarmRecordSize};
}

TEST(AlarmRecord, GoldenFileDecodesFieldByFieldAndEncodesByteForByte) {
    // As tests/data/contents.json describes the records; 46387 is 31 December 2026.
    const char* expected[] = {
        "7:30 date 0 0.000000 days 1111100 [Всегда] [Безконечно] text 1 [C:\\Program Files\\Domora\\Temp\\"
        "File0.txt] picture 0 [] builtin 1 [Бип-Бип] mp3 0 [] wav 0 [] silent 0 on 1",
        "0:0 date 0 0.000000 days 0000000 [Каждый первый день месяца] [2] text 0 [] picture 1 [C:\\Мои "
        "рисунки\\кот.bmp] builtin 1 [Звонок] mp3 0 [] wav 0 [] silent 0 on 1",
        "-1:-1 date 0 0.000000 days 0000000 [Каждый рабочий день] [1] text 1 [] picture 0 [] builtin 0 [] "
        "mp3 1 [D:\\Музыка\\Утро.mp3] wav 0 [] silent 0 on 0",
        "23:59 date 1 46387.000000 days 0000000 [Всегда] [Безконечно] text 1 [] picture 0 [] builtin 0 [] "
        "mp3 0 [] wav 1 [C:\\WINDOWS\\Media\\tada.wav] silent 0 on 1",
        "12:5 date 0 0.000000 days 0000011 [] [10] text 1 [] picture 0 [] builtin 0 [] mp3 0 [] wav 0 [] "
        "silent 1 on 1",
    };
    const std::string golden = ReadTestData("Budil.DMR");
    ASSERT_EQ(golden.size(), 5 * kAlarmRecordSize);
    for (std::size_t i = 0; i < 5; ++i) {
        const AlarmRecord decoded = DecodeAlarm(Record(golden, i));
        EXPECT_EQ(Dump(decoded), expected[i]) << "record " << i + 1;
        EXPECT_EQ(EncodeAlarm(decoded), Record(golden, i)) << "record " << i + 1;
    }
}

TEST(AlarmRecord, EncodingCutsTextsAndWritesZerosWhereNothingIsMeant) {
    AlarmRecord r = DefaultAlarm(DateTime{2027, 3, 9, 0, 17, 45});
    EXPECT_EQ(Dump(r), "0:0 date 0 46455.000000 days 0000000 [Всегда] [Безконечно] text 1 [] picture 0 [] "
                       "builtin 1 [Бип-Бип] mp3 0 [] wav 0 [] silent 0 on 0");
    r.Recurrence = std::string(250, 'x');
    r.Repeat = "12345678901234";
    r.BuiltinName = "Кукушка!";
    r.Mp3File = std::string(150, 'm');
    const auto bytes = EncodeAlarm(r);
    EXPECT_EQ(std::vector<int>({bytes[23], bytes[224], bytes[540], bytes[549]}),
              std::vector<int>({200, 10, 7, 100}));
    EXPECT_EQ(DecodeAlarm(bytes).BuiltinName, "Кукушка");
    // Garbage in the fill bytes and after a text is read past and written back as zeros; a
    // flag byte other than 0 reads as set and is written back as 1.
    auto dirty = EncodeAlarm(DefaultAlarm(DateTime{2027, 3, 9}));
    dirty[5] = dirty[759] = 0x55;
    dirty[23 + 1 + 6 + 3] = 0x41; // inside Recurrence, after "Всегда"
    dirty[548] = 0x7F;            // Mp3Sound
    const AlarmRecord read = DecodeAlarm(dirty);
    EXPECT_EQ(read.Recurrence, "Всегда");
    EXPECT_TRUE(read.Mp3Sound);
    const auto clean = EncodeAlarm(read);
    EXPECT_EQ(std::vector<int>({clean[5], clean[759], clean[33], clean[548]}),
              std::vector<int>({0, 0, 0, 1}));
}

TEST(AlarmRecord, DamagedFilesAreReadWithoutACrash) {
    FakeClock clock;
    for (const auto& [file, alarms] : std::vector<std::pair<std::string, std::size_t>>{
             {"cut-short.DMR", 3}, {"empty.DMR", 0}, {"two-and-a-bit.DMR", 2}, {"length-255.DMR", 2}}) {
        MemoryFileStore files;
        files.put("Budil.DMR", ReadTestData("broken/" + file));
        AlarmStore store(files, "Budil.DMR", clock);
        const AlarmList list = store.ReadAlarms();
        ASSERT_TRUE(list.result.ok()) << file;
        ASSERT_EQ(list.alarms.size(), alarms) << file;
        ASSERT_TRUE(store.LoadAlarm(99).result.ok());
        // A rewrite keeps the whole records and drops the partial one.
        ASSERT_TRUE(store.ResetAllAlarms().ok());
        EXPECT_EQ(files.files().at("Budil.DMR").size(), alarms * kAlarmRecordSize) << file;
    }
    // Length bytes of 255 are taken as the sizes of their fields; a record of 0xFF bytes is
    // -1:-1, switched on, with every text full.
    const std::string damaged = ReadTestData("broken/length-255.DMR");
    const AlarmRecord first = DecodeAlarm(Record(damaged, 0));
    EXPECT_TRUE(first.Recurrence.starts_with("Всегда"));
    EXPECT_EQ(first.Repeat + " " + first.BuiltinName, "Безконечно Бип-Бип");
    EXPECT_EQ(first.TextFile.size(), 200U);
    const AlarmRecord ones = DecodeAlarm(Record(damaged, 1));
    EXPECT_EQ(Dump(ones).substr(0, 5), "-1:-1");
    EXPECT_EQ(ones.Repeat, "яяяяяяяяяя");
    EXPECT_TRUE(ones.SwitchedOn);
}

} // namespace
} // namespace domora
