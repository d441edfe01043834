#include "platform/win32/Win32Taskbar.h"

#include <windows.h>

namespace domora {
namespace {

HWND FindTaskbar() {
    return FindWindowA("Shell_TrayWnd", nullptr);
}

} // namespace

bool Win32Taskbar::hideReportingWasVisible() {
    const HWND taskbar = FindTaskbar();
    if (taskbar == nullptr) {
        return true; // no taskbar: nothing to bring back
    }
    const bool wasVisible = IsWindowVisible(taskbar) != FALSE;
    ShowWindow(taskbar, 0);
    return wasVisible;
}

void Win32Taskbar::show() {
    if (const HWND taskbar = FindTaskbar()) {
        ShowWindow(taskbar, 1);
    }
}

} // namespace domora
