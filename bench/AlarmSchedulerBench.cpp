// A full alarm file of 100 alarms and one year of minute passes of the alarm scheduler on
// a fake clock over files in memory. The goal is well under one second for the year.
#include "core/alarms/AlarmScheduler.h"
#include "core/alarms/Recurrence.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"

#include <benchmark/benchmark.h>

namespace domora {
namespace {

struct CountingStarter final : ProgramStarter {
    int startProgram(const std::string&, const std::vector<std::string>& fields,
                     const std::string&) override {
        ++starts;
        benchmark::DoNotOptimize(fields.data());
        return 42;
    }
    std::string shortPathOf(const std::string& path) override { return path; }
    long starts = 0;
};

// Every rule, the weekday flags, a few limited repeat counts and one alarm without a time,
// spread over the day.
std::string FullFile() {
    std::string bytes;
    for (int i = 0; i < static_cast<int>(kMaxAlarms); ++i) {
        AlarmRecord r = DefaultAlarm(DateTime{2028, 1, 1});
        const int minuteOfDay = (i * 14 + 7) % 1440;
        r.Hour = minuteOfDay / 60;
        r.Minute = minuteOfDay % 60;
        r.Recurrence = std::string(kRecurrenceTexts[static_cast<std::size_t>(i) % kRecurrenceTexts.size()]);
        r.Weekdays = {true, false, true, false, true, true, false};
        r.Repeat = i % 10 == 3 ? "20" : std::string(kRepeatUnlimited);
        r.TextFile = "/home/user/.local/share/domora/Temp/File" + std::to_string(i) + ".txt";
        r.SwitchedOn = i % 17 != 5;
        if (i == 99) {
            r.Hour = -1;
            r.Minute = -1;
        }
        const auto record = EncodeAlarm(r);
        bytes.append(record.begin(), record.end());
    }
    return bytes;
}

void BM_AlarmSchedulerYear(benchmark::State& state) {
    const AppPaths paths = AppPaths::FromAppDir("/opt/domora");
    const std::string file = FullFile();
    long starts = 0;
    for (auto _ : state) {
        MemoryFileStore files;
        files.put(paths.BudilPath, file);
        FakeClock clock;
        clock.setLocal(DateTime{2028, 1, 1, 0, 0, 0, 0});
        CountingStarter starter;
        std::uint8_t firstPassPending = 1;
        MinuteGate gate(firstPassPending);
        SharedFlags flags;
        AlarmStore store(files, paths.BudilPath, clock);
        AlarmScheduler scheduler(store, clock, gate, flags, starter, paths);
        for (int minute = 0; minute < 366 * 1440; ++minute) {
            scheduler.AlarmTick();
            clock.advanceMs(60'000);
        }
        starts = starter.starts;
    }
    state.counters["notes"] = static_cast<double>(starts);
}
BENCHMARK(BM_AlarmSchedulerYear)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace domora

BENCHMARK_MAIN();
