#pragma once

#include "core/app/ProgramStarter.h"
#include "core/app/Registry.h"
#include "core/base/Clock.h"
#include "core/base/FileStore.h"
#include "core/base/WallTimer.h"
#include "platform/AppLocation.h"
#include "platform/Autostart.h"
#include "platform/ClockSetter.h"
#include "platform/ConnectionMonitor.h"
#include "platform/KeyboardLayout.h"
#include "platform/SingleInstance.h"
#include "platform/SleepWatch.h"
#include "platform/SystemActions.h"
#include "platform/SystemFacts.h"
#include "platform/TaskProgramStarter.h"
#include "platform/Taskbar.h"

#include <memory>
#include <string>

namespace domora {

// Every operating-system service the program uses, in one place. The program makes the
// system's set once in main(); tests make a FakePlatform.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Clock& clock() = 0;
    virtual Registry& registry() = 0;
    virtual FileStore& files() = 0;
    virtual SingleInstance& singleInstance() = 0;
    virtual Autostart& autostart() = 0;
    // Starts programs; core logic takes it as its ProgramStarter.
    virtual ProgramStarter& launcher() = 0;
    virtual KeyboardLayout& keyboard() = 0;
    virtual Taskbar& taskbar() = 0;
    virtual AppLocation& location() = 0;
    // The system chores: tools, session and power, monitor, wallpaper, lock keys, folders.
    virtual SystemActions& actions() = 0;
    // Starts the custom programs of scheduled tasks.
    virtual TaskProgramStarter& taskStarter() = 0;
    // Sets the computer's clock (the clock dialog).
    virtual ClockSetter& clockSetter() = 0;
    // A timer set to instants of the wall clock (the schedulers' minute beat).
    virtual std::unique_ptr<WallTimer> createWallTimer() = 0;
    // Hears the computer go to sleep and wake up (what came due in between is told).
    virtual std::unique_ptr<SleepWatch> createSleepWatch() = 0;
    // How the computer is on the Internet (the balance of a pre-paid connection); made when
    // first asked for, so that a program that never counts opens nothing for it.
    virtual ConnectionMonitor& connection() = 0;
    // The facts of the machine the "Система" page shows: processor, drives, display, memory.
    virtual SystemFacts& systemFacts() = 0;
    // Once after start: a Russian text saying the settings file was damaged and replaced
    // by defaults (a copy kept), or empty.
    virtual std::string takeSettingsDamageReport() = 0;
};

// The services of the system the program was built for.
std::unique_ptr<Platform> CreateSystemPlatform();

} // namespace domora
