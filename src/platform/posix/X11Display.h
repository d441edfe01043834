#pragma once

#include <string>

#include <X11/Xlib.h>

namespace domora {

// True where the session is Wayland ($WAYLAND_DISPLAY set or $XDG_SESSION_TYPE "wayland"):
// there, what is sent to the X server reaches only the programs of XWayland.
bool IsWaylandSession();

// An open connection to an X display with XKB, closed on scope exit. X errors are noted
// rather than ending the process.
class X11Display {
public:
    // `name` empty: the display of $DISPLAY; none when that is not set.
    explicit X11Display(const std::string& name);
    ~X11Display();
    X11Display(const X11Display&) = delete;
    X11Display& operator=(const X11Display&) = delete;

    // The display, or nullptr when it could not be opened.
    Display* get() const { return display_; }
    // Waits until the server has handled every request sent so far; false when one of them
    // ended in an X error since the connection was opened.
    bool syncWithoutErrors();

private:
    Display* display_ = nullptr;
    XErrorHandler previous_ = nullptr;
};

} // namespace domora
