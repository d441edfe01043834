#include "core/timeservices/ServerList.h"
#include "testing/core/MemoryFileStore.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using Names = std::vector<std::string>;

TEST(ServerList, LoadsLinesInFileOrder) {
    const std::pair<std::string, Names> cases[] = {{"", {}},
                                                   {"a.org\r\n", {"a.org"}},
                                                   {"a.org\r\nb.org", {"a.org", "b.org"}},
                                                   {"a.org\nb.org\n", {"a.org", "b.org"}},
                                                   {"a.org\r\n\r\nb.org\r\n", {"a.org", "", "b.org"}},
                                                   {"\xF1\xE5\xF0\xE2\xE5\xF0.\xF0\xF4\r\n", {"сервер.рф"}}};
    for (const auto& [bytes, names] : cases) {
        MemoryFileStore files;
        files.put("IServers.DMR", bytes);
        EXPECT_EQ(LoadServers(files, "IServers.DMR"), names) << bytes;
    }
    MemoryFileStore none;
    EXPECT_FALSE(LoadServers(none, "IServers.DMR").has_value());
}

TEST(ServerList, AddAppendsWithCrLfAndKeepsTheOtherLines) {
    MemoryFileStore files;
    files.put("s", "a.org\nb.org");
    ASSERT_TRUE(AddServer(files, "s", "a.org"));
    ASSERT_TRUE(AddServer(files, "s", " время.рф "));
    EXPECT_EQ(files.files().at("s"), "a.org\nb.org\r\na.org\r\n \xE2\xF0\xE5\xEC\xFF.\xF0\xF4 \r\n");
}

TEST(ServerList, RefusalsWriteNothing) {
    MemoryFileStore files;
    std::string error;
    EXPECT_FALSE(AddServer(files, "s", "a.org", &error));
    EXPECT_FALSE(files.exists("s"));
    EXPECT_EQ(error, "Не удалось открыть файл «s».");

    files.put("s", "a.org\r\n");
    for (const char* bad : {"😀.org", "a\r\nb", "\xFF"}) {
        error.clear();
        EXPECT_FALSE(AddServer(files, "s", bad, &error)) << bad;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_NE(error.find("«\uFFFD»"), std::string::npos) << error;
    files.setWritesFail(true);
    EXPECT_FALSE(AddServer(files, "s", "b.org", &error));
    EXPECT_EQ(files.files().at("s"), "a.org\r\n");
}

} // namespace
} // namespace domora
