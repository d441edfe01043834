#pragma once

#include "core/app/ProgramStarter.h"
#include "core/base/Clock.h"
#include "core/base/DateTime.h"

#include <string>
#include <vector>

namespace domora {

// Starts nothing and records every start, with the clock's local time when it has a clock.
// Short paths come back marked ("8.3(C:\a.txt)") so a test sees which fields went through.
class RecordingStarter final : public ProgramStarter {
public:
    struct Start {
        std::string file;
        std::vector<std::string> fields;
        std::string directory;
        DateTime at;
    };

    RecordingStarter() = default;
    explicit RecordingStarter(const Clock& clock) : clock_(&clock) {}

    int startProgram(const std::string& file, const std::vector<std::string>& fields,
                     const std::string& directory) override {
        starts.push_back({file, fields, directory, clock_ != nullptr ? clock_->localNow() : DateTime{}});
        return result;
    }
    std::string shortPathOf(const std::string& path) override { return "8.3(" + path + ")"; }

    std::vector<Start> starts;
    int result = 42; // what startProgram() answers; above 32 is success

private:
    const Clock* clock_ = nullptr;
};

} // namespace domora
