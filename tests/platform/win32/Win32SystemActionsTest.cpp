#include "platform/win32/Win32SystemActions.h"

#include "RecordingSystemCalls.h"
#include "platform/win32/Win32ActionArguments.h"
#include "platform/win32/Win32NativeSystemCalls.h"

#include <gtest/gtest.h>

namespace domora {
namespace {

using Log = std::vector<std::string>;
using test::RecordingSystemCalls;

constexpr std::uint32_t kNT = 2;
constexpr std::uint32_t kWindows9x = 1;
constexpr std::uintptr_t kMainWindow = 77;

const Log kShutdownPrivilege = {"SetLastError 0", "OpenProcessToken 40",
                                "LookupPrivilegeValueA  SeShutdownPrivilege",
                                "AdjustTokenPrivileges 99 0 19 2 16", "CloseHandle 99"};

Log Joined(Log first, const Log& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class Win32SystemActionsTest : public ::testing::Test {
protected:
    void SetUp() override { actions.setMainWindow(kMainWindow); }

    RecordingSystemCalls calls;
    Win32SystemActions actions{calls};
};

TEST_F(Win32SystemActionsTest, SessionEndsWithTheFlagsAndReasonsAndThePrivilegeOnlyWhereNeeded) {
    struct Row {
        SessionEnd how;
        bool forced;
        std::uint32_t platform;
        Log expected;
    };
    const std::vector<Row> rows = {
        {SessionEnd::LogOff, false, kNT, {"ExitWindowsEx 0 0"}},
        {SessionEnd::LogOff, true, kNT, {"ExitWindowsEx 4 65535"}},
        {SessionEnd::Restart, false, kNT, Joined(kShutdownPrivilege, {"ExitWindowsEx 2 0"})},
        {SessionEnd::Restart, true, kWindows9x, {"ExitWindowsEx 6 0"}},
        {SessionEnd::PowerOff, false, kWindows9x, {"ExitWindowsEx 8 65535"}},
        {SessionEnd::PowerOff, true, kNT, Joined(kShutdownPrivilege, {"ExitWindowsEx 12 65535"})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected.back());
        calls.log.clear();
        calls.platformId = row.platform;
        EXPECT_TRUE(actions.endSession(row.how, row.forced).done);
        EXPECT_EQ(calls.log, row.expected);
    }
}

TEST_F(Win32SystemActionsTest, SuspendTakesThePrivilegeOnNTAndARefusalIsReported) {
    EXPECT_TRUE(actions.suspend().done);
    EXPECT_EQ(calls.log, Joined(kShutdownPrivilege, {"SetSystemPowerState 1 1"}));

    calls.log.clear();
    calls.platformId = kWindows9x;
    calls.powerResult = false;
    calls.error = 1314; // ERROR_PRIVILEGE_NOT_HELD
    EXPECT_EQ(actions.suspend().failure, "Система отказала: недостаточно прав.");
    EXPECT_EQ(calls.log, Log{"SetSystemPowerState 1 1"});

    calls.exitResult = false;
    EXPECT_EQ(actions.endSession(SessionEnd::LogOff, false).failure, "Система отказала: недостаточно прав.");
}

TEST_F(Win32SystemActionsTest, ToolsStartFromTheFoldersOfTheirPlatformFamily) {
    struct Row {
        SystemTool tool;
        std::uint32_t platform;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {SystemTool::Defrag, kNT, "desktop Open C:\\WINDOWS\\SYSTEM32\\dfrg.msc null null 1"},
        {SystemTool::Defrag, kWindows9x, "desktop Open C:\\WINDOWS\\defrag.exe null null 1"},
        {SystemTool::DiskCheck, kNT, "desktop open scandskw.exe null C:\\WINDOWS 1"},
        {SystemTool::Notepad, kNT, "desktop Open C:\\WINDOWS\\SYSTEM32\\notepad.exe null null 1"},
        {SystemTool::Notepad, kWindows9x, "desktop Open C:\\WINDOWS\\notepad.exe null null 1"},
        {SystemTool::RegistryEditor, kNT, "desktop Open C:\\WINDOWS\\\\regedit.exe null null 1"},
        {SystemTool::DirectX, kWindows9x, "desktop Open C:\\WINDOWS\\SYSTEM32\\dxdiag.exe null null 1"},
        {SystemTool::Browser, kNT,
         "desktop Open C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE null null 1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        calls.log.clear();
        calls.platformId = row.platform;
        EXPECT_TRUE(actions.runTool(row.tool).done);
        EXPECT_EQ(calls.log, Log{"ShellExecuteA " + row.expected});
    }
}

TEST(Win32ActionArgumentsTest, TheRegistryEditorSitsAfterTheSecondBackslashOfTheSystemFolder) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"C:\\WINDOWS\\SYSTEM32", "C:\\WINDOWS\\\\regedit.exe"},
        {"D:\\WINNT\\system32\\deeper", "D:\\WINNT\\\\regedit.exe"},
        {"C:\\SYSTEM", "C:\\SYSTEM\\regedit.exe"},
        {"SYSTEM", "SYSTEM\\regedit.exe"},
    };
    for (const auto& [folder, expected] : rows) {
        EXPECT_EQ(RegistryEditorPath(folder), expected) << folder;
    }
}

TEST_F(Win32SystemActionsTest, AToolThatDoesNotStartIsNamedWithTheReason) {
    calls.systemFolder = Utf8ToAnsi("C:\\ОКНА\\system32").value();
    const std::vector<std::pair<std::intptr_t, std::string>> rows = {{2, "файл не найден"},
                                                                     {3, "файл не найден"},
                                                                     {5, "доступ запрещён"},
                                                                     {32, "не найдена нужная библиотека"}};
    for (const auto& [code, reason] : rows) {
        calls.shellResult = code;
        EXPECT_EQ(actions.runTool(SystemTool::DirectX).failure,
                  "Не удалось запустить «C:\\ОКНА\\system32\\dxdiag.exe»: " + reason + ".");
    }
}

TEST_F(Win32SystemActionsTest, TheDoorAndTheMainWindowCommands) {
    EXPECT_TRUE(actions.cdDoor(true).done);
    EXPECT_TRUE(actions.cdDoor(false).done);
    EXPECT_TRUE(actions.monitorOff().done);
    EXPECT_TRUE(actions.startScreenSaver().done);
    EXPECT_EQ(calls.log, (Log{"mciSendStringA Set cdaudio door open wait null 0 77",
                              "mciSendStringA Set cdaudio door closed wait null 0 77",
                              "SendMessageA 77 274 61808 2", "SendMessageA 77 274 61760 0"}));

    calls.mciResult = 275; // MCIERR_INVALID_DEVICE_NAME
    EXPECT_EQ(actions.cdDoor(true).failure, "Не найден привод компакт-дисков или он не открывается.");
}

TEST_F(Win32SystemActionsTest, LockKeysAreStruckOnNTAndFlippedInTheKeyTableElsewhere) {
    struct Row {
        LockKey key;
        std::uint32_t platform;
        std::uint8_t before;
        Log expected;
        std::uint8_t after;
    };
    const Log keyTable = {"GetKeyboardState", "SetKeyboardState"};
    const std::vector<Row> rows = {
        {LockKey::NumLock, kNT, 0, {"keybd_event 144 69 1 0", "keybd_event 144 69 3 0"}, 0},
        {LockKey::ScrollLock, kNT, 1, {"keybd_event 145 69 1 0", "keybd_event 145 69 3 0"}, 1},
        {LockKey::CapsLock, kNT, 0, Joined({"keybd_event 20 69 1 0", "keybd_event 20 69 3 0"}, keyTable), 1},
        {LockKey::NumLock, kWindows9x, 0, keyTable, 1},
        {LockKey::ScrollLock, kWindows9x, 1, keyTable, 0},
        {LockKey::CapsLock, kWindows9x, 0x81, keyTable, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected.front() + " " + std::to_string(row.platform));
        calls.log.clear();
        calls.platformId = row.platform;
        calls.keyboard.fill(7);
        const std::uint8_t virtualKey = VirtualKeyOf(row.key);
        calls.keyboard[virtualKey] = row.before;
        EXPECT_TRUE(actions.toggleLockKey(row.key).done);
        EXPECT_EQ(calls.log, row.expected);
        EXPECT_EQ(calls.keyboard[virtualKey], row.after);
        EXPECT_EQ(calls.keyboard[virtualKey == 20 ? 144 : 20], 7); // the other keys stay
    }
    calls.keyboardWorks = false;
    EXPECT_FALSE(actions.toggleLockKey(LockKey::CapsLock).done);
}

TEST_F(Win32SystemActionsTest, TheWallpaperIsWrittenAsChosenAndTheSystemTold) {
    const std::string picture = "C:\\Мои рисунки\\кот.gif";
    EXPECT_TRUE(actions.setWallpaper(picture).done);
    EXPECT_EQ(calls.log, (Log{"RegSetValueExA Control Panel\\desktop Wallpaper " + picture,
                              "RegSetValueExA Control Panel\\desktop TileWallpaper 1",
                              "SystemParametersInfoA 20 0 null 2"}));

    calls.log.clear();
    const auto refused = actions.setWallpaper("C:\\日本.gif");
    EXPECT_NE(refused.failure.find("знака «日» нет в кодовой странице"), std::string::npos)
        << refused.failure;
    EXPECT_TRUE(calls.log.empty());

    calls.parametersResult = false;
    EXPECT_FALSE(actions.setWallpaper(picture).done);
    calls.registryWorks = false;
    EXPECT_FALSE(actions.setWallpaper(picture).done);
}

TEST_F(Win32SystemActionsTest, ShellFoldersAreReadFromTheRegistryAndAMissingOneIsEmpty) {
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::string ansi = Utf8ToAnsi("C:\\Мои документы").value();
    calls.registry[{key, "Personal"}] = RawRegValue{1, std::vector<std::uint8_t>(ansi.begin(), ansi.end())};
    calls.registry[{key, "Personal"}].bytes.push_back(0);
    EXPECT_EQ(actions.shellFolder("Personal"), "C:\\Мои документы");
    EXPECT_EQ(actions.shellFolder("Templates"), "");
}

// The calls made for real, where they harm nothing: the folders and family Wine reports, the
// shutdown privilege of this test process, and a text written to and read back from a
// scratch key.
TEST(Win32NativeSystemCallsTest, FoldersFamilyPrivilegeAndRegistry) {
    Win32NativeSystemCalls calls;
    EXPECT_EQ(calls.versionPlatformId(), 2U);
    EXPECT_FALSE(calls.windowsDirectory().empty());
    EXPECT_EQ(calls.systemDirectory().rfind(calls.windowsDirectory(), 0), 0U);

    const auto token = calls.openProcessToken(40);
    ASSERT_TRUE(token);
    const auto luid = calls.lookupPrivilegeValue("", "SeShutdownPrivilege");
    ASSERT_TRUE(luid);
    EXPECT_EQ(luid, calls.lookupPrivilegeValue(nullptr, "SeShutdownPrivilege"));
    EXPECT_TRUE(calls.adjustTokenPrivileges(*token, false, *luid, 2, 16));
    calls.closeHandle(*token);

    const std::string key = "Software\\Tervo\\DomoraActionsTest";
    DeleteRegKeyTree(RegHive::CurrentUser, key);
    EXPECT_FALSE(calls.readUserValue(key, "Wallpaper"));
    ASSERT_TRUE(calls.writeUserString(key, "Wallpaper", "C:\\a.gif"));
    const auto value = calls.readUserValue(key, "Wallpaper");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, 1U);
    EXPECT_EQ(std::string(value->bytes.begin(), value->bytes.end()), std::string("C:\\a.gif", 9));
    EXPECT_TRUE(DeleteRegKeyTree(RegHive::CurrentUser, key));

    EXPECT_EQ(Win32SystemActions().shellFolder("DomoraNoSuchFolder"), "");
}

} // namespace
} // namespace domora
