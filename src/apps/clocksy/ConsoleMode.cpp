// The "yes" mode of a build without the user interface: the course on standard output.
#include "WindowMode.h"

#include <cstdio>

namespace domora {
namespace {

class ConsoleObserver final : public SyncObserver {
public:
    void step(const std::string& text) override {
        std::fputs((text + "\n").c_str(), stdout);
        std::fflush(stdout);
    }
    bool confirmLargeShift(const std::string& question) override {
        std::fputs((question + " Без окна подтвердить перевод нельзя.\n").c_str(), stdout);
        return false;
    }
};

} // namespace

std::optional<SyncOutcome> RunInWindow(int&, char**, const ClocksyCommand& command, UdpNetwork& network,
                                       ClockSetter& setter) {
    ConsoleObserver observer;
    return RunSync(command, network, setter, observer);
}

void ShowCommandError(int&, char**, const std::string&) {}

} // namespace domora
