#include "core/base/Cp1251.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

// Also 0x98, which has no character of its own: a text read and written again is unchanged.
TEST(Cp1251, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string utf8 = Cp1251ToUtf8(all);
    std::u32string chars;
    ASSERT_TRUE(DecodeUtf8(utf8, chars));
    ASSERT_EQ(chars.size(), 256U);
    std::string back;
    ASSERT_TRUE(Utf8ToCp1251(utf8, back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Utf8ToCp1251Lossy(utf8), all);
}

TEST(Cp1251, KnownCharacters) {
    const std::pair<unsigned char, std::string_view> cases[] = {
        {0xA8, "Ё"}, {0xB8, "ё"},      {0xB9, "№"}, {0x88, "€"},      {0xAB, "«"},
        {0xBB, "»"}, {0x96, "–"},      {0x97, "—"}, {0x85, "…"},      {0xC0, "А"},
        {0xDF, "Я"}, {0xE0, "а"},      {0xFF, "я"}, {0xA5, "Ґ"},      {0x80, "Ђ"},
        {0x99, "™"}, {0xA0, "\u00A0"}, {0x41, "A"}, {0x98, "\u0098"}, {0x00, std::string_view("\0", 1)}};
    for (const auto& [byte, utf8] : cases) {
        EXPECT_EQ(Cp1251ToUtf8(std::string(1, static_cast<char>(byte))), utf8) << int{byte};
        std::string out;
        EXPECT_TRUE(Utf8ToCp1251(utf8, out));
        EXPECT_EQ(out, std::string(1, static_cast<char>(byte))) << utf8;
    }
}

TEST(Cp1251, RefusesWhatTheCodePageLacks) {
    struct Case {
        const char* utf8;
        char32_t bad;
        const char* lossy;
    };
    const Case cases[] = {
        {"Привет 😀!", U'😀', "\xCF\xF0\xE8\xE2\xE5\xF2 ?!"},
        {"日本", U'日', "??"},
        {"\uFFFD", U'\uFFFD', "?"},
        {"ok\xC3", U'\uFFFD', "ok?"},       // cut sequence
        {"\xC0\xAF", U'\uFFFD', "??"},      // overlong '/'
        {"\xED\xA0\x80", U'\uFFFD', "???"}, // surrogate
        {"a\x80z", U'\uFFFD', "a?z"},       // stray continuation byte
    };
    for (const Case& c : cases) {
        std::string out;
        char32_t bad = 0;
        EXPECT_FALSE(Utf8ToCp1251(c.utf8, out, &bad)) << c.utf8;
        EXPECT_EQ(bad, c.bad) << c.utf8;
        EXPECT_EQ(Utf8ToCp1251Lossy(c.utf8), c.lossy) << c.utf8;
    }
}

} // namespace
} // namespace domora
