#pragma once

#include "core/tasks/TaskRunner.h"

namespace domora {

class SystemActions;
class TaskProgramStarter;

// Performs tasks with the system: a custom task's program through the task starter, a
// preset through the same system actions as the Service page, without asking.
class PlatformTaskRunner final : public TaskRunner {
public:
    PlatformTaskRunner(TaskProgramStarter& starter, SystemActions& actions);

    TaskRunResult runProgram(const std::string& directory, const std::string& fileName,
                             const std::string& params) override;
    TaskRunResult runPreset(TaskPreset preset, bool forced) override;

private:
    TaskProgramStarter& starter_;
    SystemActions& actions_;
};

} // namespace domora
