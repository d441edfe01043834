#pragma once

#include "platform/SleepWatch.h"

#include <windows.h>

namespace domora {

// WM_POWERBROADCAST to a hidden top-level window of the program ("DomoraSleepWatch"; a
// message-only window hears no broadcasts, and is made, registered with
// RegisterSuspendResumeNotification, only where no top-level window can be made, as in a
// session without a desktop): PBT_APMSUSPEND before the sleep,
// PBT_APMRESUMEAUTOMATIC and PBT_APMRESUMESUSPEND after the wake (told once). The thread's
// message loop delivers them.
class Win32SleepWatch final : public SleepWatch {
public:
    static constexpr wchar_t kWindowClass[] = L"DomoraSleepWatch";

    Win32SleepWatch() = default;
    ~Win32SleepWatch() override;
    Win32SleepWatch(const Win32SleepWatch&) = delete;
    Win32SleepWatch& operator=(const Win32SleepWatch&) = delete;

    bool start(Listener listener) override;
    int descriptor() const override { return -1; }
    void process() override {}

    // What the window does with a power broadcast's event (wParam).
    void powerEvent(WPARAM event);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    Listener listener_;
    bool asleep_ = false;
    bool resumeTold_ = false;
};

} // namespace domora
