#include "platform/win32/Win32TaskStarter.h"

#include "platform/win32/Win32ActionArguments.h"
#include "platform/win32/Win32NativeSystemCalls.h"
#include "platform/win32/Win32Text.h"

namespace domora {
namespace {

constexpr std::intptr_t kShellSuccessAbove = 32;
constexpr int kShowNormal = 1; // SW_SHOWNORMAL

} // namespace

Win32TaskStarter::Win32TaskStarter()
    : native_(std::make_unique<Win32NativeSystemCalls>()), calls_(*native_) {}

Win32TaskStarter::Win32TaskStarter(Win32SystemCalls& calls) : calls_(calls) {}

Win32TaskStarter::~Win32TaskStarter() = default;

ActionResult Win32TaskStarter::start(const std::string& directory, const std::string& fileName,
                                     const std::string& params) {
    if (fileName.empty()) {
        return ActionResult::failed("В задании не указан файл для запуска.");
    }
    // A text the code page cannot hold would reach the shell with question marks and name
    // another file or argument: it is refused instead.
    std::string reason;
    const auto file = Utf8ToAnsi(fileName, &reason);
    const auto parameters = file ? Utf8ToAnsi(params, &reason) : std::nullopt;
    const auto folder = parameters ? Utf8ToAnsi(directory, &reason) : std::nullopt;
    if (!folder) {
        return ActionResult::failed("Не удалось запустить «" + fileName + "». " + reason + ".");
    }
    const std::intptr_t result = calls_.shellExecute(calls_.desktopWindow(), "open", file->c_str(),
                                                     parameters->c_str(), folder->c_str(), kShowNormal);
    if (result <= kShellSuccessAbove) {
        return ActionResult::failed(ShellExecuteFailureText(fileName, result));
    }
    return ActionResult::ok();
}

} // namespace domora
