#include "platform/win32/Win32SystemActions.h"

#include "platform/win32/Win32ActionArguments.h"
#include "platform/win32/Win32NativeSystemCalls.h"
#include "platform/win32/Win32Privilege.h"
#include "platform/win32/Win32Text.h"

namespace domora {
namespace {

constexpr std::uint32_t kPlatformNT = 2; // VER_PLATFORM_WIN32_NT

constexpr std::uint32_t kSysCommand = 274;      // WM_SYSCOMMAND
constexpr std::uintptr_t kMonitorPower = 61808; // SC_MONITORPOWER
constexpr std::intptr_t kMonitorOffState = 2;   // the monitor is switched off
constexpr std::uintptr_t kScreenSave = 61760;   // SC_SCREENSAVE

constexpr std::uint8_t kLockScanCode = 69;
constexpr std::uint32_t kExtendedKey = 1; // KEYEVENTF_EXTENDEDKEY
constexpr std::uint32_t kKeyUp = 2;       // KEYEVENTF_KEYUP

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr std::uint32_t kSetDeskWallpaper = 20; // SPI_SETDESKWALLPAPER
constexpr std::uint32_t kSendWinIniChange = 2;  // SPIF_SENDWININICHANGE

constexpr char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::uint32_t kRegString = 1; // REG_SZ

constexpr std::intptr_t kShellSuccessAbove = 32;

} // namespace

Win32SystemActions::Win32SystemActions()
    : native_(std::make_unique<Win32NativeSystemCalls>()), calls_(*native_) {}

Win32SystemActions::Win32SystemActions(Win32SystemCalls& calls) : calls_(calls) {}

Win32SystemActions::~Win32SystemActions() = default;

bool Win32SystemActions::isWindowsNT() {
    return calls_.versionPlatformId() == kPlatformNT;
}

ActionResult Win32SystemActions::runTool(SystemTool tool) {
    const bool windowsNT = isWindowsNT();
    const std::string windowsFolder = calls_.windowsDirectory();
    const std::string systemFolder = calls_.systemDirectory();
    if (windowsFolder.empty() || systemFolder.empty()) {
        return ActionResult::failed("Не удалось узнать, в какой папке стоит Windows.");
    }
    const ToolStart start = ToolStartOf(tool, windowsNT, windowsFolder, systemFolder);
    const std::intptr_t result =
        calls_.shellExecute(calls_.desktopWindow(), start.verb.c_str(), start.file.c_str(), nullptr,
                            start.directory.empty() ? nullptr : start.directory.c_str(), 1);
    if (result <= kShellSuccessAbove) {
        return ActionResult::failed(ShellExecuteFailureText(AnsiToUtf8(start.file), result));
    }
    return ActionResult::ok();
}

ActionResult Win32SystemActions::cdDoor(bool open) {
    const std::string command = CdDoorCommand(open);
    if (calls_.sendMciString(command.c_str(), nullptr, 0, mainWindow_) != 0) {
        return ActionResult::failed("Не найден привод компакт-дисков или он не открывается.");
    }
    return ActionResult::ok();
}

ActionResult Win32SystemActions::endSession(SessionEnd how, bool forced) {
    if (how != SessionEnd::LogOff && isWindowsNT()) {
        EnablePrivilege(calls_, "SeShutdownPrivilege");
    }
    const SessionExit exit = SessionExitOf(how, forced);
    if (!calls_.exitWindows(exit.flags, exit.reason)) {
        return ActionResult::failed(SystemRefusalText(calls_.lastError()));
    }
    return ActionResult::ok();
}

ActionResult Win32SystemActions::suspend() {
    if (isWindowsNT()) {
        EnablePrivilege(calls_, "SeShutdownPrivilege");
    }
    if (!calls_.setSystemPowerState(true, true)) {
        return ActionResult::failed(SystemRefusalText(calls_.lastError()));
    }
    return ActionResult::ok();
}

ActionResult Win32SystemActions::sendToMainWindow(std::uintptr_t command, std::intptr_t argument) {
    // The system command goes to a window of this program; without one it would go nowhere.
    if (mainWindow_ == 0) {
        return ActionResult::failed("Окно программы ещё не создано, команда не передана системе.");
    }
    calls_.sendMessage(mainWindow_, kSysCommand, command, argument);
    return ActionResult::ok();
}

ActionResult Win32SystemActions::monitorOff() {
    return sendToMainWindow(kMonitorPower, kMonitorOffState);
}

ActionResult Win32SystemActions::startScreenSaver() {
    return sendToMainWindow(kScreenSave, 0);
}

ActionResult Win32SystemActions::setWallpaper(const std::string& path) {
    std::string reason;
    const auto ansi = Utf8ToAnsi(path, &reason);
    if (!ansi) {
        return ActionResult::failed("Рисунок не сделан обоями. " + reason + ".");
    }
    if (!calls_.writeUserString(kDesktopKey, "Wallpaper", *ansi) ||
        !calls_.writeUserString(kDesktopKey, "TileWallpaper", "1")) {
        return ActionResult::failed("Рисунок не сделан обоями: не удалось записать его в раздел реестра "
                                    "«HKEY_CURRENT_USER\\Control Panel\\desktop».");
    }
    if (!calls_.systemParametersInfo(kSetDeskWallpaper, 0, nullptr, kSendWinIniChange)) {
        return ActionResult::failed("Рисунок записан, но обои не сменились. " +
                                    SystemRefusalText(calls_.lastError()));
    }
    return ActionResult::ok();
}

ActionResult Win32SystemActions::flipKeyboardState(LockKey key) {
    Win32SystemCalls::KeyboardState state{};
    if (!calls_.getKeyboardState(state)) {
        return ActionResult::failed("Не удалось переключить «" + LockKeyName(key) +
                                    "»: состояние клавиатуры не прочитано.");
    }
    std::uint8_t& entry = state[VirtualKeyOf(key)];
    entry = entry == 0 ? 1 : 0;
    if (!calls_.setKeyboardState(state)) {
        return ActionResult::failed("Не удалось переключить «" + LockKeyName(key) +
                                    "»: состояние клавиатуры не записано.");
    }
    return ActionResult::ok();
}

ActionResult Win32SystemActions::toggleLockKey(LockKey key) {
    const bool windowsNT = isWindowsNT();
    if (windowsNT) {
        // A press and a release, as if the user struck the key.
        const std::uint8_t virtualKey = VirtualKeyOf(key);
        calls_.keybdEvent(virtualKey, kLockScanCode, kExtendedKey, 0);
        calls_.keybdEvent(virtualKey, kLockScanCode, kExtendedKey | kKeyUp, 0);
    }
    if (key == LockKey::CapsLock || !windowsNT) {
        return flipKeyboardState(key);
    }
    return ActionResult::ok();
}

std::string Win32SystemActions::shellFolder(const std::string& valueName) {
    const auto value = calls_.readUserValue(kShellFoldersKey, valueName);
    if (!value || value->type != kRegString) {
        return {};
    }
    std::string ansi(value->bytes.begin(), value->bytes.end());
    if (const auto zero = ansi.find('\0'); zero != std::string::npos) {
        ansi.resize(zero);
    }
    return AnsiToUtf8(ansi);
}

} // namespace domora
