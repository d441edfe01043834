#pragma once

#include "platform/Platform.h"
#include "platform/posix/FileRegistry.h"
#include "platform/posix/LinuxSystemFacts.h"
#include "platform/posix/NoTaskbar.h"
#include "platform/posix/PosixAppLocation.h"
#include "platform/posix/PosixFileStore.h"
#include "platform/posix/PosixLauncher.h"
#include "platform/posix/PosixSingleInstance.h"
#include "platform/posix/PosixSystemActions.h"
#include "platform/posix/PosixTaskStarter.h"
#include "platform/posix/SystemClock.h"
#include "platform/posix/TimerFdWallTimer.h"
#include "platform/posix/XdgAutostart.h"
#include "platform/posix/XkbKeyboardLayout.h"

namespace domora {

// The services of a Linux desktop.
class PosixPlatform final : public Platform {
public:
    PosixPlatform();

    Clock& clock() override { return clock_; }
    Registry& registry() override { return registry_; }
    FileStore& files() override { return files_; }
    SingleInstance& singleInstance() override { return singleInstance_; }
    Autostart& autostart() override { return autostart_; }
    ProgramStarter& launcher() override { return launcher_; }
    KeyboardLayout& keyboard() override { return keyboard_; }
    Taskbar& taskbar() override { return taskbar_; }
    AppLocation& location() override { return location_; }
    SystemActions& actions() override { return actions_; }
    TaskProgramStarter& taskStarter() override { return taskStarter_; }
    ClockSetter& clockSetter() override;
    ConnectionMonitor& connection() override;
    SystemFacts& systemFacts() override { return systemFacts_; }
    std::unique_ptr<WallTimer> createWallTimer() override { return std::make_unique<TimerFdWallTimer>(); }
    std::unique_ptr<SleepWatch> createSleepWatch() override { return CreateSleepWatch(); }
    std::string takeSettingsDamageReport() override { return registry_.takeDamageReport(); }

private:
    PosixAppLocation location_; // first: the launcher looks beside the executable
    SystemClock clock_;
    FileRegistry registry_;
    PosixFileStore files_;
    PosixSingleInstance singleInstance_;
    XdgAutostart autostart_;
    PosixLauncher launcher_;
    XkbKeyboardLayout keyboard_;
    NoTaskbar taskbar_;
    PosixSystemActions actions_; // after the launcher: it starts the tools through it
    PosixTaskStarter taskStarter_;
    LinuxSystemFacts systemFacts_;
    std::unique_ptr<ClockSetter> clockSetter_;      // made when first used
    std::unique_ptr<ConnectionMonitor> connection_; // made when first used: it opens sockets
};

} // namespace domora
