#pragma once

#include "platform/SystemActions.h"

#include <string>

namespace domora {

// Starts the program of a scheduled task from the three texts of its record, without
// waiting for it: the folder (may be empty), the file name and the parameter text. A
// document rather than a program opens in the system's default application for it. A
// failure comes back with a Russian text naming the file.
class TaskProgramStarter {
public:
    virtual ~TaskProgramStarter() = default;

    virtual ActionResult start(const std::string& directory, const std::string& fileName,
                               const std::string& params) = 0;
};

} // namespace domora
