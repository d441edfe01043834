#pragma once

#include <string>
#include <vector>

namespace domora {

// How core logic starts the helper programs (the note program, the time synchronisation,
// the balance editor) without seeing the platform layer. The user interface adapts the
// platform's program launcher to it; tests record the calls.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    // Starts `file` with the fields of its command line in the working folder `directory`
    // and does not wait for it. Returns a value above 32 on success.
    virtual int startProgram(const std::string& file, const std::vector<std::string>& fields,
                             const std::string& directory) = 0;

    // The short (8.3) form of a path where the system has one; otherwise the path as it is.
    virtual std::string shortPathOf(const std::string& path) = 0;
};

} // namespace domora
