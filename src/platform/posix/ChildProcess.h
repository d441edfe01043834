#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace domora {

// The program called `name` in the absolute folders of $PATH (a name with '/' is taken as
// it is when it is a file), or empty when there is none.
std::string FindInPath(const std::string& name);

// Starts `program` (a path) with posix_spawn: no shell, each of `arguments` one argument
// after argv[0], in `directory` when it is not empty, with no blocked signals and the usual
// default signal actions. `output` and `errors`, when not -1, become the child's stdout and
// stderr. Returns 0 and the child's id, or the errno of the failure.
int SpawnProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::string& directory, pid_t* child, int output = -1, int errors = -1);

// How a program run to its end went.
struct ProgramRun {
    bool started = false; // false: not found in $PATH or could not be started
    int exitCode = -1;    // -1 when it ended by a signal
    std::string output;   // what it wrote to stdout
    std::string errors;   // what it wrote to stderr

    bool succeeded() const { return started && exitCode == 0; }
};

// Runs `name` (looked up in $PATH) with `arguments` and waits for it to end, collecting
// what it writes.
ProgramRun RunToEnd(const std::string& name, const std::vector<std::string>& arguments);

} // namespace domora
