#include "platform/win32/Win32SleepWatch.h"

namespace domora {

std::unique_ptr<SleepWatch> CreateSleepWatch() {
    return std::make_unique<Win32SleepWatch>();
}

Win32SleepWatch::~Win32SleepWatch() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

bool Win32SleepWatch::start(Listener listener) {
    if (window_ != nullptr) {
        return true;
    }
    listener_ = std::move(listener);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &Win32SleepWatch::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    // A second watch finds the class registered already.
    if (RegisterClassW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    // Never shown; a tool window keeps it off the taskbar should anything show it.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
    if (window_ == nullptr) {
        // Where no top-level window can be made (a session without a desktop): a
        // message-only window, which hears the sleep only when registered for it.
        window_ =
            CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
        if (window_ == nullptr) {
            return false;
        }
        // Windows 8 on: looked up, so that the program still starts on an older system.
        using Register = HPOWERNOTIFY(WINAPI*)(HANDLE, DWORD);
        if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
            if (FARPROC found = GetProcAddress(user32, "RegisterSuspendResumeNotification")) {
                reinterpret_cast<Register>(reinterpret_cast<void*>(found))(window_,
                                                                           DEVICE_NOTIFY_WINDOW_HANDLE);
            }
        }
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void Win32SleepWatch::powerEvent(WPARAM event) {
    if (!listener_) {
        return;
    }
    if (event == PBT_APMSUSPEND) {
        asleep_ = true;
        resumeTold_ = false;
        listener_(Change::Suspending);
        return;
    }
    // The automatic resume comes on every wake, the resume for the user after it when
    // someone is at the computer: one wake, told once.
    if (event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND) {
        if (resumeTold_ && !asleep_) {
            return;
        }
        asleep_ = false;
        resumeTold_ = true;
        listener_(Change::Resumed);
    }
}

LRESULT CALLBACK Win32SleepWatch::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_POWERBROADCAST) {
        auto* watch = reinterpret_cast<Win32SleepWatch*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (watch != nullptr) {
            watch->powerEvent(wParam);
        }
        return TRUE;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace domora
