#include "core/tasks/TaskParams.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using Words = std::vector<std::string>;

TEST(SplitParams, GroupsWordsLikeAShellButInterpretsNothing) {
    struct Case {
        std::string params;
        Words words;
    };
    const Case cases[] = {
        {"", {}},
        {" \t \n ", {}},
        {"  a   b\tc  ", {"a", "b", "c"}},
        {R"("a b" c\ d 'e f')", {"a b", "c d", "e f"}},
        {"$HOME;rm -rf x", {"$HOME;rm", "-rf", "x"}},
        {"*.txt ~/x a|b >out <in 2>&1 `id` $(id)",
         {"*.txt", "~/x", "a|b", ">out", "<in", "2>&1", "`id`", "$(id)"}},
        {R"(a"b c"'d e'f)", {"ab cd ef"}},
        {R"("" '' x)", {"", "", "x"}},
        {R"('a\b "c"')", {R"(a\b "c")"}},
        {R"("a\"b\\c\$d\e")", {R"(a"b\c$d\e)"}},
        {R"(\"a\' \\ \x)", {R"("a')", R"(\)", "x"}},
        {R"(a\)", {R"(a\)"}},
        {R"(a "b c)", {"a", "b c"}},
        {"a 'b \"c d", {"a", "b \"c d"}},
        {"x'", {"x"}},
        {"\"Мои документы\" Привет\\ мир 'ёЁ «»'", {"Мои документы", "Привет мир", "ёЁ «»"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitParams(c.params), c.words) << c.params;
    }
}

} // namespace
} // namespace domora
