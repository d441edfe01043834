#pragma once

#include "core/tasks/TaskPresets.h"

#include <string>
#include <utility>

namespace domora {

// Whether a task was started, and if not, a Russian text (UTF-8) saying why.
struct TaskRunResult {
    bool started = true;
    std::string failure;

    static TaskRunResult ok() { return {}; }
    static TaskRunResult failed(std::string text) { return {false, std::move(text)}; }
};

// How the scheduler and the editor's "Тест" perform a task. Core logic sees only this
// port; the program implements it over the platform's launcher and service actions, and
// tests record the calls, so nothing real runs in a test.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;

    // Starts a custom task's program `fileName` (in `directory` when it is there) with its
    // parameter text `params`, without waiting for it.
    virtual TaskRunResult runProgram(const std::string& directory, const std::string& fileName,
                                     const std::string& params) = 0;
    // Performs one of the seven service actions (never TaskPreset::Custom). Ending the
    // session is forced only when `forced` (the scheduler never forces it).
    virtual TaskRunResult runPreset(TaskPreset preset, bool forced) = 0;
};

} // namespace domora
