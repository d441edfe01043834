#include "platform/win32/Win32Text.h"

#include "core/base/Cp1251.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

// The tests run with the Russian locale, so the ANSI code page is 1251: every byte reads as
// the core's table says and every character of the table goes back to its byte (0x98, which
// has no character of its own, as U+0098).
TEST(Win32TextTest, AnsiConversionAgreesWithTheCodePage1251Table) {
    for (int byte = 1; byte < 256; ++byte) {
        const std::string ansi(1, static_cast<char>(byte));
        const std::string utf8 = Cp1251ToUtf8(ansi);
        EXPECT_EQ(AnsiToUtf8(ansi), utf8) << byte;
        EXPECT_EQ(Utf8ToAnsi(utf8), ansi) << byte;
    }
}

// A text passes whole or is refused with a reason naming what stopped it.
TEST(Win32TextTest, TextsPassWholeOrAreRefusedWithAReason) {
    struct Case {
        std::string utf8;
        bool passes;
        std::string named; // in the reason of a refusal
    };
    const Case cases[] = {
        {"Domora Lite 2003 уже запущена.", true, ""},
        {"C:\\Папка с пробелом\\Budil.DMR", true, ""},
        {"", true, ""},
        {"Grüße", false, "«ü»"},     // a look-alike "u" would be a wrong name
        {"Дом 日本", false, "«日»"}, // not "«本»": the first one
        {"😀", false, "«😀»"},         // a surrogate pair, named whole
        {"bad \xC3", false, "UTF-8"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        std::string reason;
        const auto ansi = Utf8ToAnsi(c.utf8, &reason);
        ASSERT_EQ(ansi.has_value(), c.passes) << reason;
        if (c.passes) {
            std::string expected;
            ASSERT_TRUE(Utf8ToCp1251(c.utf8, expected));
            EXPECT_EQ(*ansi, expected);
        } else {
            EXPECT_NE(reason.find(c.named), std::string::npos) << reason;
        }
        const auto wide = Utf8ToWide(c.utf8);
        EXPECT_EQ(wide.has_value(), c.named != "UTF-8");
        if (wide) {
            EXPECT_EQ(WideToUtf8(*wide), c.utf8);
        }
    }
}

} // namespace
} // namespace domora
