#include "platform/win32/Win32Launcher.h"

#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <shellapi.h>

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

int Win32Launcher::startProgram(const std::string& file, const std::vector<std::string>& fields,
                                const std::string& directory) {
    std::string parameters;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        parameters += (i == 0 ? "" : " ") + QuotedField(fields[i]);
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
    const auto ansiProgram = Utf8ToAnsi(program);
    const auto ansiParameters = Utf8ToAnsi(parameters);
    const auto ansiDirectory = Utf8ToAnsi(directory);
    if (!ansiProgram || !ansiParameters || !ansiDirectory) {
        return kTextNotInCodePage;
    }
    // Each text goes through a buffer of 255 characters; a longer one is refused rather
    // than cut or written past the buffer.
    if (ansiProgram->size() > kMaxText || ansiParameters->size() > kMaxText ||
        ansiDirectory->size() > kMaxText) {
        return kTextTooLong;
    }
    char fileBuffer[kMaxText + 1] = {};
    char parameterBuffer[kMaxText + 1] = {};
    char directoryBuffer[kMaxText + 1] = {};
    ansiProgram->copy(fileBuffer, kMaxText);
    ansiParameters->copy(parameterBuffer, kMaxText);
    ansiDirectory->copy(directoryBuffer, kMaxText);
    const HINSTANCE result =
        ShellExecuteA(GetDesktopWindow(), nullptr, fileBuffer, parameterBuffer, directoryBuffer, 1);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
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
