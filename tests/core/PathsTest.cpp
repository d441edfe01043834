#include "core/base/Paths.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace domora {
namespace {

TEST(FolderOf, LastSeparator) {
    EXPECT_EQ(FolderOf("/app/Data/Budil.dmr"), "/app/Data");
    EXPECT_EQ(FolderOf("/registry.reg"), "/");
    EXPECT_EQ(FolderOf("registry.reg"), ".");
}

TEST(PickNoCase, ExactFirstThenFirstInByteOrder) {
    struct Case {
        std::string_view name;
        std::vector<std::string> entries;
        std::optional<std::string> picked;
    };
    const Case cases[] = {
        {"budil.dmr", {"BUDIL.DMR", "Budil.dmr", "budil.DMR"}, "BUDIL.DMR"},
        {"Budil.dmr", {"BUDIL.DMR", "Budil.dmr"}, "Budil.dmr"},
        {"ЗВОНОК.wav", {"звонок.WAV", "Звонок.wav"}, "Звонок.wav"},
        {"..", {"."}, std::nullopt},
        {"celeb.dmr", {"budil.dmr"}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PickNoCase(c.name, c.entries), c.picked) << c.name;
    }
}

TEST(ResolvePathNoCase, WalksTheFoldersOfAPath) {
    const std::set<std::string> existing = {"/app",        "/app/Data",          "/app/Data/BUDIL.DMR",
                                            "/app/sound",  "/app/sound/Jin.wav", "rel",
                                            "rel/Note.TXT"};
    std::map<std::string, std::vector<std::string>> folders = {
        {"/", {"app"}},
        {"/app", {"Data", "sound"}},
        {"/app/Data", {"BUDIL.DMR"}},
        {"/app/sound", {"Jin.wav"}},
        {"", {"rel"}},
        {"rel", {"Note.TXT"}},
    };
    const FolderLookup lookup{[&](const std::string& path) { return existing.count(path) != 0; },
                              [&](const std::string& folder) { return folders[folder]; }};
    struct Case {
        std::string asked;
        std::string found;
    };
    const Case cases[] = {
        {"/app/Data/BUDIL.DMR", "/app/Data/BUDIL.DMR"},
        {"/APP/data/budil.dmr", "/app/Data/BUDIL.DMR"},
        {"/app/SOUND/", "/app/sound/"},
        {"rel/note.txt", "rel/Note.TXT"},
        {"/app/Nowhere/jin.wav", "/app/Nowhere/jin.wav"}, // the rest stays as written
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolvePathNoCase(c.asked, lookup), c.found) << c.asked;
    }
}

} // namespace
} // namespace domora
