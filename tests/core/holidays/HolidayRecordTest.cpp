#include "HolidayTestSupport.h"

#include "core/base/Cp1251.h"
#include "core/holidays/HolidayStore.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

std::vector<std::uint8_t> Record(const std::string& file, std::size_t i) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(file.data()) + i * kHolidayRecordSize;
    return {first, first + kHolidayRecordSize};
}

TEST(HolidayRecord, GoldenFileDecodesFieldByFieldAndEncodesByteForByte) {
    // As tests/data/contents.json describes the records.
    const std::vector<HolidayRecord> expected = {
        {1, 1, "Новый год", ""},
        {1, 7, "Рождество Христово", "православное"},
        {3, 8, "Международный женский день", ""},
        {5, 9, "День Победы", "«Ура!»"},
        {2, 29, "Високосный день", "раз в 4 года"},
    };
    const std::string golden = ReadTestData("Celeb.DMR");
    ASSERT_EQ(golden.size(), 5 * kHolidayRecordSize);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const HolidayRecord decoded = DecodeHoliday(Record(golden, i));
        EXPECT_EQ(decoded, expected[i]) << "record " << i + 1;
        EXPECT_EQ(EncodeHoliday(decoded), Record(golden, i)) << "record " << i + 1;
    }
}

TEST(HolidayRecord, TextsAreCutTo200AndOnlyTheirLengthCounts) {
    const HolidayRecord r{12, 31, std::string(250, 'x'), std::string(210, 'y')};
    const auto bytes = EncodeHoliday(r);
    EXPECT_EQ(std::vector<int>({bytes[0], bytes[1], bytes[2], bytes[203]}),
              std::vector<int>({12, 31, 200, 200}));
    EXPECT_EQ(DecodeHoliday(bytes).Event, std::string(200, 'x'));
    auto dirty = EncodeHoliday(HolidayRecord{1, 1, "Ёлка", ""});
    dirty[2 + 1 + 4] = 0x41; // after the event
    dirty[403] = 0x55;       // after the empty comment
    const HolidayRecord read = DecodeHoliday(dirty);
    EXPECT_EQ(read, (HolidayRecord{1, 1, "Ёлка", ""}));
    EXPECT_EQ(EncodeHoliday(read), EncodeHoliday(HolidayRecord{1, 1, "Ёлка", ""}));
    EXPECT_THROW(DecodeHoliday(std::vector<std::uint8_t>(403)), std::invalid_argument);
}

TEST(HolidayRecord, DamagedFilesAreReadWithoutACrash) {
    for (const auto& [file, holidays] :
         std::vector<std::pair<std::string, std::size_t>>{{"celeb-cut-short.DMR", 2},
                                                          {"empty.DMR", 0},
                                                          {"celeb-two-and-a-bit.DMR", 2},
                                                          {"celeb-length-255.DMR", 2}}) {
        MemoryFileStore files;
        files.put("Celeb.DMR", ReadTestData("broken/" + file));
        HolidayStore store(files, "Celeb.DMR");
        const HolidayList list = store.ReadCelebs();
        ASSERT_TRUE(list.result.ok()) << file;
        ASSERT_EQ(list.holidays.size(), holidays) << file;
        // A rewrite keeps the whole records and drops the partial one.
        ASSERT_TRUE(store.AddCeleb("Новый", "", static_cast<int>(holidays), test::Date2002(5, 8))) << file;
        EXPECT_EQ(files.files().at("Celeb.DMR").size(), (holidays + 1) * kHolidayRecordSize) << file;
    }
    // Length bytes of 255 are taken as 200; a record of 0xFF bytes is month and day 255.
    const std::string damaged = ReadTestData("broken/celeb-length-255.DMR");
    const HolidayRecord first = DecodeHoliday(Record(damaged, 0));
    EXPECT_TRUE(first.Event.starts_with("Новый год"));
    EXPECT_EQ(first.Event.size(), std::string("Новый год").size() + 200 - 9);
    const HolidayRecord ones = DecodeHoliday(Record(damaged, 1));
    EXPECT_EQ(std::vector<int>({ones.Month, ones.Day}), std::vector<int>({255, 255}));
    EXPECT_EQ(ones.Event, Cp1251ToUtf8(std::string(200, '\xFF')));
    EXPECT_EQ(ones.Comment, ones.Event);
}

TEST(HolidayRecord, TheShippedFileRoundTrips) {
    const std::string shipped = ReadTestData("../../resources/Data/Celeb.DMR");
    ASSERT_EQ(shipped.size(), 8 * kHolidayRecordSize);
    for (std::size_t i = 0; i < 8; ++i) {
        const HolidayRecord r = DecodeHoliday(Record(shipped, i));
        EXPECT_FALSE(r.Event.empty());
        EXPECT_FALSE(r.Comment.empty());
        EXPECT_EQ(EncodeHoliday(r), Record(shipped, i));
    }
    EXPECT_EQ(DecodeHoliday(Record(shipped, 5)).Event, "День Победы");
}

} // namespace
} // namespace domora
