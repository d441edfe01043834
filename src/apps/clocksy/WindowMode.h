#pragma once

#include "ClocksyRun.h"

#include <optional>
#include <string>

namespace domora {

// The "yes" mode: the synchronisation shown in the window until the user closes it. Its
// outcome; nothing when the window was closed before the synchronisation ended. A build
// without the user interface tells the course on standard output instead and asks nothing.
std::optional<SyncOutcome> RunInWindow(int& argc, char** argv, const ClocksyCommand& command,
                                       UdpNetwork& network, ClockSetter& setter);

// A command line that cannot be understood, shown in the window (with "yes").
void ShowCommandError(int& argc, char** argv, const std::string& error);

} // namespace domora
