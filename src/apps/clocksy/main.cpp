// The time synchronisation program: asks a time server (SNTP) for the time and moves the
// computer's clock by the offset it finds. Started by domora as
//   clocksy SERVER yes|no            (Windows: Clocksy.exe "SERVER yes ")
// "yes" shows the course in a window that stays until closed; "no" works silently.
// "--dry-run", anywhere, measures only and prints
//   offset=<seconds> delay=<seconds> server=<address>
// Exit status 0 when done, 1 when the synchronisation failed (the reason on standard error),
// 2 for a command line that cannot be understood. Without a window nothing of the user
// interface is started, so it runs without a display.
#include "ClocksyRun.h"
#include "WindowMode.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

class SilentObserver final : public domora::SyncObserver {
public:
    void step(const std::string&) override {}
    bool confirmLargeShift(const std::string&) override { return false; }
};

void PrintLine(std::FILE* stream, const std::string& line) {
    std::fputs((line + "\n").c_str(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace domora;
    const ParsedClocksyCommand parsed = ParseClocksyCommand(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.command) {
        PrintLine(stderr, "clocksy: " + parsed.error);
        if (parsed.showWindow) {
            ShowCommandError(argc, argv, parsed.error);
        }
        return kExitBadCommand;
    }
    const ClocksyCommand& command = *parsed.command;
    const std::unique_ptr<UdpNetwork> network = CreateUdpNetwork();
    // A dry run never sets the clock, so it needs no setter of the system.
    const std::unique_ptr<ClockSetter> setter =
        command.dryRun ? std::make_unique<NoClockSetter>() : CreateSystemClockSetter();

    std::optional<SyncOutcome> outcome;
    if (command.showWindow) {
        outcome = RunInWindow(argc, argv, command, *network, *setter);
    } else {
        SilentObserver observer;
        outcome = RunSync(command, *network, *setter, observer);
    }
    if (!outcome) {
        PrintLine(stderr, "clocksy: Синхронизация прервана: окно закрыто до её конца.");
        return kExitFailed;
    }
    if (command.dryRun && outcome->measurement) {
        PrintLine(stdout, DryRunLine(*outcome->measurement));
    }
    if (!outcome->succeeded) {
        PrintLine(stderr, "clocksy: " + outcome->message);
        return kExitFailed;
    }
    return kExitDone;
}
