#include "core/base/RecordFile.h"
#include "testing/core/MemoryFileStore.h"
#include "testing/core/TestData.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

RecordFile::Record Filled(std::size_t size, std::uint8_t b) {
    return RecordFile::Record(size, b);
}

TEST(RecordFile, ReadsTheGoldenFilesAndIgnoresAPartialTail) {
    struct Case {
        const char* name;
        std::size_t size, capacity, count;
    };
    for (const Case& c :
         {Case{"Budil.DMR", 760, 100, 5}, Case{"Celeb.DMR", 404, 1000, 5}, Case{"Zadan.DMR", 480, 50, 3}}) {
        const std::string bytes = ReadTestData(c.name);
        ASSERT_EQ(bytes.size(), c.size * c.count) << c.name;
        for (const std::size_t tail : {std::size_t{0}, std::size_t{100}, c.size - 1}) {
            MemoryFileStore files;
            files.put("f", bytes + std::string(tail, '\x7F'));
            RecordFile file(files, "f", c.size, c.capacity);
            const auto records = file.readAll();
            ASSERT_TRUE(records.has_value());
            ASSERT_EQ(records->size(), c.count) << c.name << " " << tail;
            for (std::size_t i = 0; i < c.count; ++i) {
                EXPECT_EQ(std::string(records->at(i).begin(), records->at(i).end()),
                          bytes.substr(i * c.size, c.size));
            }
            // A change writes whole records only; a file with a partial tail is first kept
            // as it was, once, and the user told so once.
            files.put("f.damaged", "older");
            ASSERT_TRUE(file.replace(0, records->front()));
            EXPECT_EQ(files.files().at("f"), bytes);
            EXPECT_EQ(files.files().count("f.damaged-2"), tail == 0 ? 0U : 1U);
            if (tail != 0) {
                EXPECT_EQ(files.files().at("f.damaged-2"), bytes + std::string(tail, '\x7F'));
                EXPECT_NE(file.takeNotice().find("f.damaged-2"), std::string::npos);
            }
            EXPECT_EQ(file.takeNotice(), "");
            ASSERT_TRUE(file.replace(0, records->front()));
            EXPECT_EQ(files.files().count("f.damaged-3"), 0U);
            EXPECT_EQ(file.takeNotice(), "");
        }
    }
}

// When the copy of a damaged file cannot be kept, the file is not rewritten.
TEST(RecordFile, NoRewriteWithoutTheCopyOfADamagedFile) {
    MemoryFileStore files;
    files.put("f", std::string(15, 'x'));
    RecordFile file(files, "f", 10, 5);
    files.setWritesFail(true);
    RecordFileError error;
    EXPECT_FALSE(file.append(Filled(10, 1), &error));
    EXPECT_EQ(error.kind, RecordFileError::Kind::WriteFailed);
    EXPECT_NE(error.message.find("копию «f.damaged»"), std::string::npos);
    EXPECT_EQ(files.files().at("f"), std::string(15, 'x'));
}

TEST(RecordFile, RefusalsLeaveTheFileAsItWas) {
    MemoryFileStore files;
    files.put("full", "aabbcc");
    RecordFile full(files, "full", 2, 3);
    RecordFileError error;
    EXPECT_FALSE(full.append(Filled(2, 'd'), &error));
    EXPECT_EQ(error.kind, RecordFileError::Kind::Full);
    EXPECT_NE(error.message.find("не более 3 записей"), std::string::npos) << error.message;
    EXPECT_FALSE(full.replace(3, Filled(2, 'd'), &error));
    EXPECT_EQ(error.kind, RecordFileError::Kind::NoSuchRecord);
    EXPECT_FALSE(full.replace(0, Filled(3, 'd'), &error));
    EXPECT_EQ(error.kind, RecordFileError::Kind::WrongSize);
    EXPECT_EQ(files.files().at("full"), "aabbcc");

    files.setWritesFail(true);
    EXPECT_FALSE(full.remove(0, &error));
    EXPECT_EQ(error.kind, RecordFileError::Kind::WriteFailed);
    EXPECT_FALSE(error.message.empty());
    EXPECT_EQ(files.files().at("full"), "aabbcc");

    RecordFile missing(files, "missing", 2, 3);
    EXPECT_FALSE(missing.readAll(&error).has_value());
    EXPECT_EQ(error.kind, RecordFileError::Kind::CannotOpen);
    EXPECT_EQ(error.message, "Не удалось открыть файл «missing».");
    files.setWritesFail(false);
    EXPECT_FALSE(missing.append(Filled(2, 'a'), &error));
    EXPECT_FALSE(files.exists("missing"));
}

TEST(RecordFile, AFileOverItsCapacityLosesNothing) {
    MemoryFileStore files;
    files.put("f", "aabbccdd");
    RecordFile file(files, "f", 2, 3);
    EXPECT_EQ(file.count(), 4U);
    EXPECT_FALSE(file.append(Filled(2, 'e')));
    ASSERT_TRUE(file.replace(3, Filled(2, 'z')));
    EXPECT_EQ(files.files().at("f"), "aabbcczz");
}

} // namespace
} // namespace domora
