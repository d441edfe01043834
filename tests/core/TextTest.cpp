#include "core/base/Text.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(FoldCase, LatinAndCyrillicCapitalsOnly) {
    struct Case {
        std::string_view text;
        std::string_view folded;
    };
    const Case cases[] = {
        {"Budil.DMR", "budil.dmr"},         {"ЗВОНОК Ёлка Ђ", "звонок ёлка ђ"},
        {"уже мал 123 !", "уже мал 123 !"}, {"ÄÖ ΣΛ", "ÄÖ ΣΛ"}, // other alphabets stay as they are
        {"A\xD0\xC1\xFF", "a\xD0\xC1\xFF"},                     // bytes that are no UTF-8 survive
        {"\xC1\x81", "\xC1\x81"},                               // an overlong 'A' is no letter
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FoldCase(c.text), c.folded) << c.text;
    }
    EXPECT_TRUE(SameFolded("Звонок.WAV", "зВОНОК.wav"));
    EXPECT_FALSE(SameFolded("Звонок", "Звонок "));
}

TEST(Trim, BlanksOrControls) {
    EXPECT_EQ(TrimBlanks(" \t 12\n \t"), "12\n");
    EXPECT_EQ(TrimControls("\r\n\t Бип-Бип \x01"), "Бип-Бип");
    EXPECT_EQ(TrimmedLower("  КуКушка\t"), "кукушка");
    EXPECT_EQ(TrimmedLower(" \n "), "");
}

TEST(DecodeNoteText, EveryEncodingGivesUtf8Lines) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"code page 1251", "\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0\r\n", "Привет\nмир"},
        {"UTF-8", "Привет\r\nмир", "Привет\nмир"},
        {"UTF-8 with its mark", "\xEF\xBB\xBFПривет\rмир\n\n", "Привет\nмир\n"},
        {"UTF-16 LE", std::string("\xFF\xFE\x1F\x04\x40\x04\r\0\n\0!\0", 12), "Пр\n!"},
        {"UTF-16 BE, odd byte", std::string("\xFE\xFF\x04\x1F\x04\x40\0", 7), "Пр"},
        {"UTF-16 pair and a lone half", std::string("\xFF\xFE\x3D\xD8\x00\xDE\x00\xD8x\0", 10),
         "\xF0\x9F\x98\x80\xEF\xBF\xBDx"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeNoteText(c.bytes), c.text) << c.what;
    }
}

} // namespace
} // namespace domora
