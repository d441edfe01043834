#pragma once

namespace domora {

// The desktop's taskbar, where the system has one that a program may hide.
class Taskbar {
public:
    virtual ~Taskbar() = default;
    // Hides the taskbar and tells whether it had been visible. Without a taskbar: true
    // (nothing to bring back).
    virtual bool hideReportingWasVisible() = 0;
    virtual void show() = 0;
};

} // namespace domora
