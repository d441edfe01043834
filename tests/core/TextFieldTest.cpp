#include "core/base/TextField.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace domora {
namespace {

TEST(TextField, CutsToCapacityAndReplacesUnknownCharacters) {
    std::vector<std::uint8_t> record(6);
    WriteTextField(record, 0, 5, "Приостоновить");
    EXPECT_EQ(record[0], 5);
    // Cutting counts characters, not UTF-8 bytes.
    EXPECT_EQ(ReadTextField(record, 0, 5), "Приос");
    WriteTextField(record, 0, 5, "a😀b");
    EXPECT_EQ(ReadTextField(record, 0, 5), "a?b");
}

TEST(TextField, FieldOutsideTheRecordIsAnError) {
    std::vector<std::uint8_t> record(10);
    EXPECT_THROW(ReadTextField(record, 2, 8), std::out_of_range);
    EXPECT_THROW(WriteTextField(record, 11, 0, ""), std::out_of_range);
    std::vector<std::uint8_t> big(300);
    EXPECT_THROW(ReadTextField(big, 0, 256), std::out_of_range);
    EXPECT_NO_THROW(ReadTextField(record, 1, 8));
}

} // namespace
} // namespace domora
