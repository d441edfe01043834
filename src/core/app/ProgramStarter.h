#pragma once

#include <memory>
#include <string>
#include <vector>

namespace domora {

// A started program being watched until it ends.
class WatchedProgram {
public:
    virtual ~WatchedProgram() = default;
    // Whether it has ended (reaps it on POSIX; never blocks).
    virtual bool finished() = 0;
    // A descriptor that becomes readable when it ends (pidfd on Linux), -1 where none (then
    // poll finished()).
    virtual int descriptor() const = 0;
};

// How the program starts the helper programs (the note program, the time synchronisation,
// the balance editor) and other programs, without waiting for them. Core logic sees only
// this port; the platform layer implements it for each system (Platform::launcher()), so
// the launcher is passed straight to the schedulers. Tests record the calls.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;

    // Starts `file` with the fields of its command line, in the working folder `directory`,
    // shown in a normal window. On Windows the fields are joined by blanks; elsewhere each
    // field is one argument (an empty field an empty argument), so blanks in paths are
    // harmless. A bare file name is looked up beside the running executable first.
    // Returns a value above 32 on success, as the Windows shell does; 0..32 on failure.
    virtual int startProgram(const std::string& file, const std::vector<std::string>& fields,
                             const std::string& directory) = 0;

    // Starts like startProgram() and watches it (the balance's price editor, whose end means
    // its settings are to be read again); nullptr when it could not be started (then
    // `failure` holds a Russian reason when given).
    virtual std::unique_ptr<WatchedProgram> startWatched(const std::string& file,
                                                         const std::vector<std::string>& fields,
                                                         const std::string& directory,
                                                         std::string* failure) = 0;

    // The short (8.3) form of a path where the system has one; otherwise the path as it is.
    virtual std::string shortPathOf(const std::string& path) = 0;
};

} // namespace domora
