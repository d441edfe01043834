#pragma once

#include "platform/Platform.h"
#include "platform/SpanWallTimer.h"
#include "platform/win32/Win32AppLocation.h"
#include "platform/win32/Win32Autostart.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ClockSetter.h"
#include "platform/win32/Win32ConnectionMonitor.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32KeyboardLayout.h"
#include "platform/win32/Win32Launcher.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SingleInstance.h"
#include "platform/win32/Win32SystemActions.h"
#include "platform/win32/Win32SystemFacts.h"
#include "platform/win32/Win32TaskStarter.h"
#include "platform/win32/Win32Taskbar.h"

namespace domora {

// The services of Windows.
class Win32Platform final : public Platform {
public:
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
    ClockSetter& clockSetter() override { return clockSetter_; }
    // The program waits the span to the next minute itself and hears of a clock change at
    // its next wake; the minute gates give the minutes skipped meanwhile.
    std::unique_ptr<WallTimer> createWallTimer() override { return std::make_unique<SpanWallTimer>(); }
    std::unique_ptr<SleepWatch> createSleepWatch() override { return CreateSleepWatch(); }
    ConnectionMonitor& connection() override { return connection_; }
    SystemFacts& systemFacts() override { return systemFacts_; }
    // The registry is never replaced by defaults behind the user's back: nothing to report.
    std::string takeSettingsDamageReport() override { return {}; }

private:
    Win32AppLocation location_;
    Win32Clock clock_;
    Win32Registry registry_;
    Win32FileStore files_;
    Win32SingleInstance singleInstance_;
    Win32Autostart autostart_;
    Win32Launcher launcher_;
    Win32KeyboardLayout keyboard_;
    Win32Taskbar taskbar_;
    Win32SystemActions actions_;
    Win32TaskStarter taskStarter_;
    Win32ClockSetter clockSetter_;
    Win32ConnectionMonitor connection_; // opens nothing until asked
    Win32SystemFacts systemFacts_;
};

} // namespace domora
