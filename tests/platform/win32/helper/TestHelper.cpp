// The small program the Windows platform tests start in a process of its own.
//   --echo <file> [arguments...]  writes its working folder, its own path, then each
//                                 argument after the file name, one per line, into <file>,
//                                 all in UTF-8 (the arguments arrive in the ANSI code page)
//   --mutex                       exits with 0 when it takes the running-copy marker, 1
//                                 when another process holds it
#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32Text.h"

#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--mutex") {
        domora::Win32SingleInstance instance;
        return instance.acquire() ? 0 : 1;
    }
    if (mode == "--echo" && argc > 2) {
        std::string text = domora::WideToUtf8(std::filesystem::current_path().wstring()) + "\n" +
                           domora::Win32AppLocation().executablePath() + "\n";
        for (int i = 3; i < argc; ++i) {
            text += domora::AnsiToUtf8(argv[i]) + "\n";
        }
        domora::Win32FileStore files;
        return files.writeAtomic(domora::AnsiToUtf8(argv[2]), text) ? 0 : 1;
    }
    return 2;
}
