#include "platform/posix/DesktopTools.h"

#include "TestSupport.h"
#include "platform/posix/PosixLauncher.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace domora {
namespace {

// Installs the programs of `names` into `bin`: each writes its name and arguments
// ("name|arg|arg") to `started`/<name> when it runs; "xdg-mime" answers `mimeDefault`.
void Install(const std::string& bin, const std::string& started, const std::vector<std::string>& names,
             const std::string& mimeDefault) {
    for (const auto& name : names) {
        const std::string out = started + "/" + name;
        const std::string body = name == "xdg-mime"
                                     ? "printf '%s\\n' '" + mimeDefault + "'\n"
                                     : "{ printf '%s' '" + name +
                                           "'; for a in \"$@\"; do printf '|%s' \"$a\"; done; } > '" + out +
                                           ".tmp' && /bin/mv '" + out + ".tmp' '" + out + "'\n";
        test::WriteFile(bin + "/" + name, "#!/bin/sh\n" + body);
        ::chmod((bin + "/" + name).c_str(), 0755);
    }
}

TEST(DesktopTools, StartsTheFirstInstalledToolOrNamesWhatItLookedFor) {
    const struct {
        SystemTool tool;
        std::vector<std::string> installed;
        std::string mimeDefault;
        std::string started; // "program|arguments", "{settings}" for the settings file
        std::string failure; // a piece of the message
    } cases[] = {
        {SystemTool::DiskCheck, {"palimpsest", "gparted"}, "", "palimpsest", ""},
        {SystemTool::DiskCheck,
         {},
         "",
         "",
         "Не найдена программа проверки дисков: не установлена ни одна из программ "
         "«gnome-disks», «palimpsest», «partitionmanager» и «gparted»."},
        {SystemTool::DirectX, {"ksysguard", "gnome-system-monitor"}, "", "gnome-system-monitor", ""},
        {SystemTool::Notepad,
         {"xdg-mime", "gtk-launch", "gedit"},
         "org.gnome.TextEditor.desktop",
         "gtk-launch|org.gnome.TextEditor.desktop",
         ""},
        {SystemTool::Notepad, {"xdg-open", "mousepad", "leafpad"}, "", "mousepad", ""},
        {SystemTool::Notepad, {"xdg-open"}, "", "", "«gedit»"},
        {SystemTool::RegistryEditor,
         {"xdg-mime", "gtk-launch"},
         "kate.desktop",
         "gtk-launch|kate.desktop|{settings}",
         ""},
        {SystemTool::RegistryEditor, {"xdg-mime", "xdg-open", "gedit"}, "", "xdg-open|{settings}", ""},
        {SystemTool::Browser,
         {"x-www-browser", "sensible-browser", "xdg-mime", "gtk-launch"},
         "firefox.desktop",
         "x-www-browser",
         ""},
        {SystemTool::Browser,
         {"sensible-browser", "xdg-mime", "gtk-launch"},
         "firefox.desktop",
         "gtk-launch|firefox.desktop",
         ""},
        {SystemTool::Browser, {"sensible-browser"}, "", "", "«x-www-browser»"},
        {SystemTool::Defrag,
         {"gnome-disks"},
         "",
         "",
         "Дефрагментация диска в Linux не нужна: файловые системы Linux обходятся без неё."},
    };
    for (const auto& c : cases) {
        const std::string row = std::to_string(static_cast<int>(c.tool)) + " " + c.started + c.failure;
        test::TempFolder tmp;
        std::filesystem::create_directories(tmp.path("started"));
        std::filesystem::create_directories(tmp.path("bin"));
        Install(tmp.path("bin"), tmp.path("started"), c.installed, c.mimeDefault);
        const std::string settings = tmp.path("config/registry.reg");
        test::WriteFile(settings, "REGEDIT4\n");
        test::ScopedEnv path("PATH", tmp.path("bin"));
        test::ScopedEnv browser("BROWSER", std::nullopt);
        PosixLauncher launcher(tmp.path("app"));

        const ActionResult result = DesktopTools(launcher, settings).run(c.tool);
        if (c.failure.empty()) {
            EXPECT_TRUE(result.done) << row << ": " << result.failure;
            std::string expected = c.started;
            if (const auto at = expected.find("{settings}"); at != std::string::npos) {
                expected.replace(at, 10, settings);
            }
            EXPECT_EQ(test::WaitForFile(tmp.path("started/" + c.started.substr(0, c.started.find('|')))),
                      expected)
                << row;
        } else {
            EXPECT_FALSE(result.done) << row;
            EXPECT_NE(result.failure.find(c.failure), std::string::npos) << row << ": " << result.failure;
        }
    }
}

TEST(DesktopTools, TheRegistryEditorNeedsTheSettingsFile) {
    test::TempFolder tmp;
    PosixLauncher launcher(tmp.path("app"));
    EXPECT_EQ(DesktopTools(launcher, tmp.path("registry.reg")).run(SystemTool::RegistryEditor).failure,
              "Файл настроек программы ещё не создан: " + tmp.path("registry.reg"));
}

} // namespace
} // namespace domora
