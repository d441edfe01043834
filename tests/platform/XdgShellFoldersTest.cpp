#include "platform/posix/XdgShellFolders.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

TEST(XdgShellFolder, EachWindowsFolderHasItsNearestXdgFolder) {
    test::TempFolder tmp;
    const std::string home = tmp.path("home");
    test::ScopedEnv homeEnv("HOME", home);
    test::ScopedEnv config("XDG_CONFIG_HOME", tmp.path("config"));
    test::ScopedEnv data("XDG_DATA_HOME", std::nullopt);
    test::ScopedEnv cache("XDG_CACHE_HOME", tmp.path("cache/"));
    // As xdg-user-dirs-update writes it; "$HOME/" is a folder the user turned off.
    const std::string userDirs = "# This file is written by xdg-user-dirs-update\n"
                                 "XDG_DESKTOP_DIR=\"$HOME/Рабочий стол\"\n"
                                 "XDG_DOCUMENTS_DIR=\"$HOME/Документы\"\n"
                                 "#XDG_PICTURES_DIR=\"$HOME/old\"\n"
                                 "XDG_PICTURES_DIR=\"/srv/photos/\\\"2003\\\"\"\n"
                                 "XDG_TEMPLATES_DIR=\"$HOME/\"\n"
                                 "XDG_MUSIC_DIR=relative\n";
    const struct {
        const char* name;
        std::string withUserDirs;
        std::string withoutUserDirs; // empty: the same
    } cases[] = {
        {"AppData", tmp.path("config"), ""},
        {"Cache", tmp.path("cache"), ""},
        {"Cookies", "", ""},
        {"Desktop", home + "/Рабочий стол", home + "/Desktop"},
        {"Favorites", "", ""},
        {"Fonts", home + "/.local/share/fonts", ""},
        {"History", "", ""},
        {"Local Settings", home + "/.local/share", ""},
        {"My Pictures", "/srv/photos/\"2003\"", home},
        {"Personal", home + "/Документы", home},
        {"Programs", home + "/.local/share/applications", ""},
        {"Recent", "", ""},
        {"SendTo", "", ""},
        {"Start Menu", home + "/.local/share/applications", ""},
        {"Startup", tmp.path("config/autostart"), ""},
        {"Templates", home, home},
        {"Unknown", "", ""},
    };
    test::WriteFile(tmp.path("config/user-dirs.dirs"), userDirs);
    for (const auto& c : cases) {
        EXPECT_EQ(XdgShellFolder(c.name), c.withUserDirs) << c.name;
    }
    std::filesystem::remove(tmp.path("config/user-dirs.dirs"));
    for (const auto& c : cases) {
        EXPECT_EQ(XdgShellFolder(c.name), c.withoutUserDirs.empty() ? c.withUserDirs : c.withoutUserDirs)
            << c.name;
    }
}

} // namespace
} // namespace domora
