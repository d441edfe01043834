#pragma once

#include "platform/Taskbar.h"

namespace domora {

// Linux desktops have no taskbar that a program may hide: nothing is hidden, and it counts
// as visible so that nothing needs bringing back.
class NoTaskbar final : public Taskbar {
public:
    bool hideReportingWasVisible() override;
    void show() override;
};

} // namespace domora
