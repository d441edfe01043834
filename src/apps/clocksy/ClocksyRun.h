#pragma once

#include "core/timeservices/Sntp.h"
#include "platform/ClockSetter.h"
#include "platform/UdpNetwork.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace domora {

// The time synchronisation program's work, without its window: the command line, the four
// exchanges with the server, the checks, and the clock moved by the best offset.

// "SERVER yes|no", optionally with "--dry-run" anywhere. Windows passes the whole as one
// text ("pool.example yes "), Linux as separate arguments: the arguments are joined by
// blanks and split again, so both read alike.
struct ClocksyCommand {
    ServerName server;
    std::string serverText; // as written
    bool showWindow = false;
    bool dryRun = false;
};

struct ParsedClocksyCommand {
    std::optional<ClocksyCommand> command;
    std::string error;       // Russian, when the command line cannot be understood
    bool showWindow = false; // "yes" was given, also when something else is wrong
};

ParsedClocksyCommand ParseClocksyCommand(const std::vector<std::string>& arguments);

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadCommand = 2;

// Told of the course of the synchronisation, and asked before a large shift. The calls come
// from the thread that runs RunSync.
class SyncObserver {
public:
    virtual ~SyncObserver() = default;
    // One step, in Russian ("Запрос времени у сервера (1 из 4)…").
    virtual void step(const std::string& text) = 0;
    // The clock would move by more than a day: true to move it all the same.
    virtual bool confirmLargeShift(const std::string& question) = 0;
    // Checked between exchanges: true to stop (the window was closed).
    virtual bool cancelled() { return false; }
};

struct SyncLimits {
    int exchanges = 4; // requests at most; the best answer counts
    int exchangeTimeoutMs = 2000;
    int timeoutsAllowed = 2; // unanswered requests before giving up
};

struct SyncMeasurement {
    NtpSample sample;
    std::string peer; // "127.0.0.1:123"
    int answers = 0;  // exchanges that gave a sample
};

struct SyncOutcome {
    bool succeeded = false;
    std::string message; // Russian: what was done, or why not
    std::optional<SyncMeasurement> measurement;
    bool clockMoved = false;
};

// Runs the synchronisation: resolves the server, asks it up to four times on one socket,
// keeps the answer of the lowest delay, and moves the clock by its offset through `setter`
// (never with --dry-run; a shift of more than a day only when `observer` confirms it).
// A reply that does not echo our request is passed over; any other faulty reply ends the
// synchronisation with its reason.
SyncOutcome RunSync(const ClocksyCommand& command, UdpNetwork& network, ClockSetter& setter,
                    SyncObserver& observer, const SyncLimits& limits = {});

// The setter of a dry run: it never sets the clock.
class NoClockSetter final : public ClockSetter {
public:
    ActionResult setUtc(const DateTime&) override { return Refused(); }
    ActionResult shiftBy(std::int64_t) override { return Refused(); }

private:
    static ActionResult Refused() { return ActionResult::failed("Пробный запуск: часы не меняются."); }
};

// "offset=+3600.250012 delay=0.000153 server=127.0.0.1:12345".
std::string DryRunLine(const SyncMeasurement& measurement);

} // namespace domora
