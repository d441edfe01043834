#pragma once

#include <array>

namespace domora {

// The pages of the main window, in tab order.
enum class Page { Reminders, Options, Service, WorldTime, System, About };
inline constexpr int kPageCount = 6;

// The inner pages of "Напоминания", in tab order.
enum class ReminderSheet { Holidays, AlarmsAndTimer, Tasks };

// The main window's timers ("Timer1" .. "Timer9"). The alarms' and the tasks' once-a-minute
// passes ("Timer5", "Timer7") are beats of the minute timer instead (ModuleHost::onMinute).
enum class TimerId {
    Clock = 1,           // status line and clocks, while they are on the screen
    Connection = 2,      // connection poll and session accounting
    Countdown = 3,       // 1000 ms while counting, else silent
    EventLine = 4,       // today's holidays on the event line, while it is on the screen
    HolidayReminder = 6, // advance reminder of holidays
    TariffReload = 8,    // reload of the tariffs while the price editor runs
    Dedication = 9,      // the About page's label swap
};
inline constexpr int kTimerNumbers = 9;

struct TimerDefinition {
    TimerId id;
    int intervalMs;
    bool enabled;  // at creation
    bool atStart;  // enabled by the first activation
    bool onScreen; // its work is only seen in the window: it rests while the window is hidden
};

inline constexpr std::array<TimerDefinition, 7> kTimers = {{
    {TimerId::Clock, 100, false, true, true},
    {TimerId::Connection, 500, false, true, false},
    {TimerId::Countdown, 0, false, true, false},
    {TimerId::EventLine, 1000, false, true, true},
    {TimerId::HolidayReminder, 10000, false, true, false},
    {TimerId::TariffReload, 0, true, false, false},
    {TimerId::Dedication, 10000, false, false, false},
}};

} // namespace domora
