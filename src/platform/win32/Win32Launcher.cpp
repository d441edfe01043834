#include "platform/win32/Win32Launcher.h"

#include "platform/win32/Win32ActionArguments.h"
#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <shellapi.h>

#include <utility>

namespace domora {
namespace {

bool IsFile(const std::string& path) {
    const auto name = Utf8ToWide(path);
    const DWORD attributes = name ? GetFileAttributesW(name->c_str()) : INVALID_FILE_ATTRIBUTES;
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// One field of the command line. A field that is empty or holds a blank (a path whose short
// form the system could not give) is quoted, so that it still arrives as one argument
// instead of vanishing or splitting and moving the fields after it. Backslashes before the
// closing quote are doubled, as the command-line rules of Windows programs require.
std::string QuotedField(const std::string& field) {
    if (!field.empty() && field.find_first_of(" \t") == std::string::npos) {
        return field;
    }
    std::size_t trailing = 0;
    while (trailing < field.size() && field[field.size() - 1 - trailing] == '\\') {
        ++trailing;
    }
    return "\"" + field + std::string(trailing, '\\') + "\"";
}

} // namespace

// The file, the parameter text and the working folder as the shell takes them, or the
// result that refuses them.
std::variant<Win32Launcher::ShellTexts, Win32Launcher::Refusal>
Win32Launcher::shellTexts(const std::string& file, const std::vector<std::string>& fields,
                          const std::string& directory) {
    std::string parameters;
    // Appended piece by piece: a literal put before a temporary string (`" " + text`)
    // inserts at its front, which GCC 12 at -O3 takes for an overlapping copy (-Wrestrict).
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i != 0) {
            parameters += ' ';
        }
        parameters += QuotedField(fields[i]);
    }
    std::string program = file;
    if (file.find_first_of("\\/:") == std::string::npos) {
        const std::string beside = Win32AppLocation().executableDir() + file;
        if (IsFile(beside)) {
            program = beside;
        }
    }
    // The shell gets the texts in the ANSI code page; one it cannot hold is refused rather
    // than passed on with question marks, which would name another file or argument.
    auto ansiProgram = Utf8ToAnsi(program);
    auto ansiParameters = Utf8ToAnsi(parameters);
    auto ansiDirectory = Utf8ToAnsi(directory);
    if (!ansiProgram || !ansiParameters || !ansiDirectory) {
        return Refusal{kTextNotInCodePage,
                       "в имени, параметрах или папке есть знаки, которых нет в кодовой странице "
                       "системы"};
    }
    // Each text goes through a buffer of 255 characters; a longer one is refused rather
    // than cut or written past the buffer.
    if (ansiProgram->size() > kMaxText || ansiParameters->size() > kMaxText ||
        ansiDirectory->size() > kMaxText) {
        return Refusal{kTextTooLong,
                       "имя, параметры или папка длиннее " + std::to_string(kMaxText) + " знаков"};
    }
    return ShellTexts{std::move(*ansiProgram), std::move(*ansiParameters), std::move(*ansiDirectory)};
}

int Win32Launcher::startProgram(const std::string& file, const std::vector<std::string>& fields,
                                const std::string& directory) {
    const auto texts = shellTexts(file, fields, directory);
    if (const auto* refused = std::get_if<Refusal>(&texts)) {
        return refused->code;
    }
    const auto& shell = std::get<ShellTexts>(texts);
    const HINSTANCE result = ShellExecuteA(GetDesktopWindow(), nullptr, shell.file.c_str(),
                                           shell.parameters.c_str(), shell.directory.c_str(), 1);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

namespace {

// The process handle the shell gave, closed with this object.
class Win32WatchedProgram final : public WatchedProgram {
public:
    explicit Win32WatchedProgram(HANDLE process) : process_(process) {}
    ~Win32WatchedProgram() override {
        if (process_ != nullptr) {
            CloseHandle(process_);
        }
    }
    Win32WatchedProgram(const Win32WatchedProgram&) = delete;
    Win32WatchedProgram& operator=(const Win32WatchedProgram&) = delete;

    // Without a handle (the shell handed the file to a program already running) there is
    // nothing to wait for.
    bool finished() override {
        return process_ == nullptr || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
    }
    int descriptor() const override { return -1; }

private:
    HANDLE process_;
};

} // namespace

std::unique_ptr<WatchedProgram> Win32Launcher::startWatched(const std::string& file,
                                                            const std::vector<std::string>& fields,
                                                            const std::string& directory,
                                                            std::string* failure) {
    const auto texts = shellTexts(file, fields, directory);
    std::string reason;
    if (const auto* refused = std::get_if<Refusal>(&texts)) {
        reason = "Не удалось запустить «" + file + "»: " + refused->reason + ".";
    } else {
        const auto& shell = std::get<ShellTexts>(texts);
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI; // the failure is told by the caller
        info.hwnd = GetDesktopWindow();
        info.lpFile = shell.file.c_str();
        info.lpParameters = shell.parameters.c_str();
        info.lpDirectory = shell.directory.c_str();
        info.nShow = 1;
        if (ShellExecuteExA(&info)) {
            return std::make_unique<Win32WatchedProgram>(info.hProcess);
        }
        const auto code = reinterpret_cast<INT_PTR>(info.hInstApp);
        reason = ShellExecuteFailureText(
            file, code > 0 && code <= 32 ? code : static_cast<std::intptr_t>(GetLastError()));
    }
    if (failure != nullptr) {
        *failure = std::move(reason);
    }
    return nullptr;
}

std::string Win32Launcher::shortPathOf(const std::string& path) {
    const auto ansi = Utf8ToAnsi(path);
    if (!ansi) {
        return path; // a name the ANSI call cannot take has no short form to give
    }
    char buffer[kMaxText + 1] = {};
    const DWORD length = GetShortPathNameA(ansi->c_str(), buffer, kMaxText);
    if (length == 0 || length >= kMaxText) {
        return path; // no short form, or one that does not fit the buffer
    }
    return AnsiToUtf8(std::string_view(buffer, length));
}

int RunAndWait(const std::string& commandLine, unsigned timeoutMs) {
    auto line = Utf8ToWide(commandLine);
    if (!line) {
        return -1;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line->data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return -1;
    }
    int code = -1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        if (GetExitCodeProcess(process.hProcess, &exitCode)) {
            code = static_cast<int>(exitCode);
        }
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

} // namespace domora
