#pragma once

#include "platform/TaskProgramStarter.h"

#include <string>
#include <vector>

namespace domora {

class AppLocation;
class PosixLauncher;

// A task's program on Linux. The program is the folder joined with the file name when that
// file exists, else the file name looked up in PATH (a name with '/' is a path as it is);
// names are matched without regard to letter case. An executable file starts directly,
// without a shell, its parameter text split into arguments by SplitParams. Any other file
// opens with the desktop's default application (xdg-open), the parameters unused. It runs
// in the task's folder when that is an existing folder, else in the application folder.
class PosixTaskStarter final : public TaskProgramStarter {
public:
    // `launcher` and `location` (which gives the application folder) outlive this object.
    PosixTaskStarter(PosixLauncher& launcher, AppLocation& location);

    ActionResult start(const std::string& directory, const std::string& fileName,
                       const std::string& params) override;

private:
    // The file the task names, or empty when there is none.
    std::string locate(const std::string& directory, const std::string& fileName) const;
    // Starts the program, or says in Russian why it did not start.
    ActionResult spawn(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& folder, const std::string& shown);

    PosixLauncher& launcher_;
    AppLocation& location_;
};

} // namespace domora
