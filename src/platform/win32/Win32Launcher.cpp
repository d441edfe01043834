#include "platform/win32/Win32Launcher.h"

#include <windows.h>

#include <shellapi.h>

namespace domora {
namespace {

std::string ExecutableDir() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, length < MAX_PATH ? length : 0);
    const auto slash = dir.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

int Win32Launcher::startProgram(const std::string& file, const std::vector<std::string>& fields,
                                const std::string& directory) {
    std::string parameters;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        parameters += (i == 0 ? "" : " ") + fields[i];
    }
    std::string program = file;
    if (file.find_first_of("\\/:") == std::string::npos) {
        const std::string beside = ExecutableDir() + file;
        if (IsFile(beside)) {
            program = beside;
        }
    }
    // Each text goes through a buffer of 255 characters; a longer one is refused rather
    // than cut or written past the buffer.
    if (program.size() > kMaxText || parameters.size() > kMaxText || directory.size() > kMaxText) {
        return kTextTooLong;
    }
    char fileBuffer[kMaxText + 1] = {};
    char parameterBuffer[kMaxText + 1] = {};
    char directoryBuffer[kMaxText + 1] = {};
    program.copy(fileBuffer, kMaxText);
    parameters.copy(parameterBuffer, kMaxText);
    directory.copy(directoryBuffer, kMaxText);
    const HINSTANCE result =
        ShellExecuteA(GetDesktopWindow(), nullptr, fileBuffer, parameterBuffer, directoryBuffer, 1);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

std::string Win32Launcher::shortPathOf(const std::string& path) {
    char buffer[kMaxText + 1] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), buffer, kMaxText);
    if (length == 0 || length >= kMaxText) {
        return path; // no short form, or one that does not fit the buffer
    }
    return std::string(buffer, length);
}

int RunAndWait(const std::string& commandLine, unsigned timeoutMs) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
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
