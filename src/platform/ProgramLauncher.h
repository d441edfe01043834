#pragma once

#include "core/app/ProgramStarter.h"

namespace domora {

// The program launcher of the platform is core's ProgramStarter: each system implements
// that port (PosixLauncher, Win32Launcher, the fake's recording launcher). This second
// name remains for older code; new code names ProgramStarter.
using ProgramLauncher = ProgramStarter;

} // namespace domora
