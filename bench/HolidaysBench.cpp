// A full holiday file of 1000 holidays in memory: the three views, the event line and a
// reminder pass, each read from the file as the page and the timers do. The goal for each
// is well under 5 ms.
#include "core/holidays/HolidayReminder.h"
#include "core/holidays/HolidayViews.h"
#include "core/holidays/TodayLine.h"
#include "testing/core/FakeClock.h"
#include "testing/core/MemoryFileStore.h"

#include <benchmark/benchmark.h>

namespace domora {
namespace {

struct NullStarter final : ProgramStarter {
    int startProgram(const std::string&, const std::vector<std::string>& fields,
                     const std::string&) override {
        benchmark::DoNotOptimize(fields.data());
        return 42;
    }
    std::string shortPathOf(const std::string& path) override { return path; }
};

// Holidays spread over the year, with long Cyrillic texts; three of them on 5 January.
struct FullFile {
    FullFile() {
        std::string bytes;
        for (int i = 0; i < static_cast<int>(kMaxHolidays); ++i) {
            HolidayRecord r{i % 12 + 1, i % 28 + 1,
                            "Праздник номер " + std::to_string(i) + std::string(120, 'x'),
                            "Комментарий к празднику " + std::to_string(i)};
            if (i % 333 == 0) {
                r.Month = 1;
                r.Day = 5;
            }
            const auto record = EncodeHoliday(r);
            bytes.append(record.begin(), record.end());
        }
        files.put(paths.CelebPath, bytes);
        clock.setLocal(DateTime{2003, 1, 5, 1, 9, 0, 10});
    }
    AppPaths paths = AppPaths::FromAppDir("/app");
    MemoryFileStore files;
    FakeClock clock;
    HolidayStore store{files, paths.CelebPath};
};

void BM_HolidayView(benchmark::State& state) {
    FullFile file;
    const auto mode = static_cast<HolidayViewMode>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(ShowHolidays(file.store, mode, file.clock.localNow()).rows.size());
    }
}
BENCHMARK(BM_HolidayView)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_TodayLine(benchmark::State& state) {
    FullFile file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RefreshTodayLine(file.store, file.clock.localNow()).text.size());
    }
}
BENCHMARK(BM_TodayLine)->Unit(benchmark::kMillisecond);

// A pass that reminds the three holidays of today (flags cleared each time, so every pass
// writes the note and starts the note program).
void BM_ReminderPass(benchmark::State& state) {
    FullFile file;
    SharedFlags flags;
    NullStarter starter;
    HolidayReminder reminder(file.store, file.files, file.clock, flags, starter, file.paths);
    for (auto _ : state) {
        flags.CelebReminded.fill(0);
        benchmark::DoNotOptimize(reminder.RemindPass(0).reminded.size());
    }
}
BENCHMARK(BM_ReminderPass)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace domora
