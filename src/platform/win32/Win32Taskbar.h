#pragma once

#include "platform/Taskbar.h"

namespace domora {

// The taskbar window of class "Shell_TrayWnd".
class Win32Taskbar final : public Taskbar {
public:
    bool hideReportingWasVisible() override;
    void show() override;
};

} // namespace domora
