#pragma once

#include <array>

namespace domora {

// The pages of the main window, in tab order.
enum class Page { Reminders, Options, Service, WorldTime, System, About };
inline constexpr int kPageCount = 6;

// The inner pages of "Напоминания", in tab order.
enum class ReminderSheet { Holidays, AlarmsAndTimer, Tasks };

// The main window's nine timers ("Timer1" .. "Timer9").
enum class TimerId {
    Clock = 1,       // status line and clocks
    Connection,      // connection poll and session accounting
    Countdown,       // 1000 ms while counting, else silent
    EventLine,       // today's holidays on the event line
    Alarms,          // alarm scheduler, one pass per clock minute
    HolidayReminder, // advance reminder of holidays
    Tasks,           // task scheduler, one pass per clock minute
    TariffReload,    // reload of the tariffs while the price editor runs
    Dedication,      // the About page's label swap
};

struct TimerDefinition {
    TimerId id;
    int intervalMs;
    bool enabled; // at creation; the first activation enables the first seven
};

inline constexpr std::array<TimerDefinition, 9> kTimers = {{
    {TimerId::Clock, 100, false},
    {TimerId::Connection, 500, false},
    {TimerId::Countdown, 0, false},
    {TimerId::EventLine, 1000, false},
    {TimerId::Alarms, 1000, false},
    {TimerId::HolidayReminder, 10000, false},
    {TimerId::Tasks, 1000, false},
    {TimerId::TariffReload, 0, true},
    {TimerId::Dedication, 10000, false},
}};

// The timers the first activation enables, in this order.
inline constexpr TimerId kLastStartTimer = TimerId::Tasks;

} // namespace domora
