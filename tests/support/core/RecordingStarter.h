#pragma once

#include "core/app/ProgramStarter.h"
#include "core/base/Clock.h"
#include "core/base/DateTime.h"

#include <memory>
#include <string>
#include <utility>
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
    // Recorded among the starts; the program ends when the test sets `watchedEnded`.
    std::unique_ptr<WatchedProgram> startWatched(const std::string& file,
                                                 const std::vector<std::string>& fields,
                                                 const std::string& directory,
                                                 std::string* failure) override {
        if (startProgram(file, fields, directory) <= 32) {
            if (failure != nullptr) {
                *failure = "Не удалось запустить «" + file + "».";
            }
            return nullptr;
        }
        return std::make_unique<Watched>(watchedEnded);
    }
    std::string shortPathOf(const std::string& path) override { return "8.3(" + path + ")"; }

    std::vector<Start> starts;
    int result = 42; // what startProgram() answers; above 32 is success
    std::shared_ptr<bool> watchedEnded = std::make_shared<bool>(false);

private:
    class Watched final : public WatchedProgram {
    public:
        explicit Watched(std::shared_ptr<bool> ended) : ended_(std::move(ended)) {}
        bool finished() override { return *ended_; }
        int descriptor() const override { return -1; }

    private:
        std::shared_ptr<bool> ended_;
    };

    const Clock* clock_ = nullptr;
};

} // namespace domora
