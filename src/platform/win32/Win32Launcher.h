#pragma once

#include "core/app/ProgramStarter.h"

#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace domora {

// Starts programs through the shell (ShellExecuteA, the desktop window as owner, show
// command 1) and gives short paths (GetShortPathNameA). Paths and texts are UTF-8 here and
// go to the system in the ANSI code page.
class Win32Launcher final : public ProgramStarter {
public:
    // The file, the parameter text and the working folder each fit a 255-character buffer.
    static constexpr std::size_t kMaxText = 255;
    // The result for a text that does not fit (the shell's "out of memory" code).
    static constexpr int kTextTooLong = 8;
    // The result for a text holding a character the ANSI code page lacks (the shell's "file
    // not found" code: such a name reaches no file through the ANSI call).
    static constexpr int kTextNotInCodePage = 2;

    // Fields are joined by blanks into the parameter text; pass paths with blanks through
    // shortPathOf first. A bare file name is looked up beside the running executable. The
    // 255-character limit holds for each text in the ANSI code page.
    int startProgram(const std::string& file, const std::vector<std::string>& fields,
                     const std::string& directory) override;
    // Started as above through ShellExecuteExA, keeping the process handle to wait on; no
    // descriptor to watch: finished() is polled.
    std::unique_ptr<WatchedProgram> startWatched(const std::string& file,
                                                 const std::vector<std::string>& fields,
                                                 const std::string& directory, std::string* failure) override;
    // A path the ANSI code page cannot hold comes back unchanged.
    std::string shortPathOf(const std::string& path) override;

private:
    struct ShellTexts {
        std::string file, parameters, directory; // ANSI code page
    };
    struct Refusal {
        int code;           // as startProgram answers it
        std::string reason; // Russian
    };
    static std::variant<ShellTexts, Refusal>
    shellTexts(const std::string& file, const std::vector<std::string>& fields, const std::string& directory);
};

// Runs a command line (UTF-8), waits for the program to end and returns its exit code; -1 when it
// cannot be started or does not end within `timeoutMs`.
int RunAndWait(const std::string& commandLine, unsigned timeoutMs);

} // namespace domora
