// The small program the Windows platform tests start in a process of its own.
//   --echo <file> [arguments...]  writes its working folder, then each argument after the
//                                 file name, one per line, into <file>
//   --mutex                       exits with 0 when it takes the running-copy marker, 1
//                                 when another process holds it
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32SingleInstance.h"

#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--mutex") {
        domora::Win32SingleInstance instance;
        return instance.acquire() ? 0 : 1;
    }
    if (mode == "--echo" && argc > 2) {
        std::string text = std::filesystem::current_path().string() + "\n";
        for (int i = 3; i < argc; ++i) {
            text += std::string(argv[i]) + "\n";
        }
        domora::Win32FileStore files;
        return files.writeAtomic(argv[2], text) ? 0 : 1;
    }
    return 2;
}
