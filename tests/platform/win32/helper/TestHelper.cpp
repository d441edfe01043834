// The small program the Windows platform tests start in a process of its own.
//   --echo <file> [arguments...]  writes its working folder, its own path, then each
//                                 argument after the file name, one per line, into <file>,
//                                 all in UTF-8 (the arguments arrive in the ANSI code page)
//   --mutex                       exits with 0 when it takes the running-copy marker, 1
//                                 when another process holds it
//   anything else                 stands in for another program (copied under its name, such
//                                 as the note program's): echoes every argument the same way
//                                 into the file that %DOMORA_TEST_ECHO% names
#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <filesystem>
#include <string>

namespace {

int Echo(const std::string& output, int first, int argc, char** argv) {
    std::string text = domora::WideToUtf8(std::filesystem::current_path().wstring()) + "\n" +
                       domora::Win32AppLocation().executablePath() + "\n";
    for (int i = first; i < argc; ++i) {
        text += domora::AnsiToUtf8(argv[i]) + "\n";
    }
    domora::Win32FileStore files;
    return files.writeAtomic(output, text) ? 0 : 1;
}

std::wstring EchoFileFromEnvironment() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"DOMORA_TEST_ECHO", buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--mutex") {
        domora::Win32SingleInstance instance;
        return instance.acquire() ? 0 : 1;
    }
    if (mode == "--echo" && argc > 2) {
        return Echo(domora::AnsiToUtf8(argv[2]), 3, argc, argv);
    }
    // Any other command line: a stand-in for another program.
    const std::wstring output = EchoFileFromEnvironment();
    return output.empty() ? 2 : Echo(domora::WideToUtf8(output), 1, argc, argv);
}
