#pragma once

#include "core/base/Clock.h"
#include "core/base/DateTime.h"
#include "core/tasks/TaskRunner.h"

#include <string>
#include <vector>

namespace domora {

// Runs nothing and records every task it is asked to run, with the clock's local time when
// it has a clock. A preset run is recorded with the preset's caption as its file name and
// "forced" as its parameters when it was forced.
class RecordingTaskRunner final : public TaskRunner {
public:
    struct Run {
        std::string directory;
        std::string fileName;
        std::string params;
        DateTime at;
    };

    RecordingTaskRunner() = default;
    explicit RecordingTaskRunner(const Clock& clock) : clock_(&clock) {}

    TaskRunResult runProgram(const std::string& directory, const std::string& fileName,
                             const std::string& params) override {
        runs.push_back({directory, fileName, params, now()});
        return result;
    }
    TaskRunResult runPreset(TaskPreset preset, bool forced) override {
        runs.push_back({"", std::string(kTaskPresetCaptions.at(static_cast<std::size_t>(preset))),
                        forced ? "forced" : "", now()});
        return result;
    }

    std::vector<Run> runs;
    TaskRunResult result; // what every run answers

private:
    DateTime now() const { return clock_ != nullptr ? clock_->localNow() : DateTime{}; }
    const Clock* clock_ = nullptr;
};

} // namespace domora
