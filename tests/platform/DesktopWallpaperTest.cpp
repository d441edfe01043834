#include "platform/posix/DesktopWallpaper.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace domora {
namespace {

// A program that notes its name and arguments ("name|arg|arg") as a line of `log`, runs
// `then` and ends with `exitCode`. It needs nothing from PATH.
void WriteStub(const std::string& path, const std::string& log, const std::string& then = {},
               int exitCode = 0) {
    const std::string name = std::filesystem::path(path).filename().string();
    test::WriteFile(path, "#!/bin/sh\n{ printf '%s' '" + name +
                              "'; for a in \"$@\"; do printf '|%s' \"$a\"; done; "
                              "printf '\\n'; } >> '" +
                              log + "'\n" + then + "\nexit " + std::to_string(exitCode) + "\n");
    ::chmod(path.c_str(), 0755);
}

TEST(DesktopWallpaper, EachDesktopGetsThePictureItsOwnWay) {
    test::TempFolder tmp;
    const std::string picture = tmp.path("Лес и поле.jpg");
    test::WriteFile(picture, "JFIF");
    const std::string uri =
        "file://" + tmp.path("%D0%9B%D0%B5%D1%81%20%D0%B8%20%D0%BF%D0%BE%D0%BB%D0%B5.jpg");
    const std::string log = tmp.path("log");
    WriteStub(tmp.path("bin/gsettings"), log);
    WriteStub(tmp.path("bin/plasma-apply-wallpaperimage"), log);
    WriteStub(tmp.path("bin/xfconf-query"), log,
              "[ \"$3\" = -l ] && printf '%s\\n' /backdrop/screen0/monitorVGA-1/workspace0/last-image "
              "/backdrop/screen0/monitorVGA-1/workspace0/image-style "
              "/backdrop/screen0/monitorHDMI-1/workspace1/last-image");
    test::ScopedEnv path("PATH", tmp.path("bin"));
    const std::string xfce = "xfconf-query|-c|xfce4-desktop|-p|/backdrop/screen0/monitor";
    const struct {
        std::optional<std::string> desktop;
        std::string calls;
        std::string failure;
    } cases[] = {
        {"ubuntu:GNOME",
         "gsettings|set|org.gnome.desktop.background|picture-uri|" + uri +
             "\ngsettings|set|org.gnome.desktop.background|picture-uri-dark|" + uri + "\n",
         ""},
        {"X-Cinnamon", "gsettings|set|org.cinnamon.desktop.background|picture-uri|" + uri + "\n", ""},
        {"MATE", "gsettings|set|org.mate.background|picture-filename|" + picture + "\n", ""},
        {"XFCE",
         "xfconf-query|-c|xfce4-desktop|-l\n" + xfce + "VGA-1/workspace0/last-image|-s|" + picture + "\n" +
             xfce + "HDMI-1/workspace1/last-image|-s|" + picture + "\n",
         ""},
        {"KDE", "plasma-apply-wallpaperimage|" + picture + "\n", ""},
        {"Pantheon", "", "Не удалось сменить обои: рабочий стол «Pantheon» программе не известен."},
        {std::nullopt, "",
         "Не удалось сменить обои: рабочий стол не определён (переменная XDG_CURRENT_DESKTOP пуста)."},
    };
    for (const auto& c : cases) {
        test::ScopedEnv desktop("XDG_CURRENT_DESKTOP", c.desktop);
        test::WriteFile(log, "");
        const ActionResult result = DesktopWallpaper().set(picture);
        EXPECT_EQ(result.failure, c.failure) << c.desktop.value_or("none");
        EXPECT_EQ(test::ReadFile(log), c.calls) << c.desktop.value_or("none");
    }
}

TEST(DesktopWallpaper, AFailureOfTheDesktopIsSaid) {
    test::TempFolder tmp;
    test::WriteFile(tmp.path("a.png"), "PNG");
    WriteStub(tmp.path("bin/gsettings"), tmp.path("log"), "echo 'No such schema “org.mate.background”' >&2",
              1);
    WriteStub(tmp.path("bin/xfconf-query"), tmp.path("log"));
    test::ScopedEnv path("PATH", tmp.path("bin"));
    const struct {
        const char* desktop;
        std::string picture;
        std::string failure;
    } cases[] = {
        {"MATE", tmp.path("a.png"),
         "Не удалось сменить обои: программа «gsettings» завершилась с ошибкой (код 1): No such schema "
         "“org.mate.background”"},
        {"KDE", tmp.path("a.png"),
         "Не удалось сменить обои: не найдена программа «plasma-apply-wallpaperimage»."},
        {"XFCE", tmp.path("a.png"),
         "Не удалось сменить обои: рабочий стол XFCE не назвал ни одного экрана для обоев."},
        {"GNOME", tmp.path("b.png"), "Не удалось сменить обои: нет файла «" + tmp.path("b.png") + "»."},
    };
    for (const auto& c : cases) {
        test::ScopedEnv desktop("XDG_CURRENT_DESKTOP", c.desktop);
        EXPECT_EQ(DesktopWallpaper().set(c.picture).failure, c.failure) << c.desktop;
    }
}

} // namespace
} // namespace domora
