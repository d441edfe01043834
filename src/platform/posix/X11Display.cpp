#include "platform/posix/X11Display.h"

#include <cstdlib>
#include <cstring>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace domora {
namespace {

// X errors of the open connections, counted: the handler is one for the whole process.
int g_errors = 0;

int NoteXError(Display*, XErrorEvent*) {
    ++g_errors;
    return 0;
}

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

} // namespace

bool IsWaylandSession() {
    const char* type = std::getenv("XDG_SESSION_TYPE");
    return IsSet("WAYLAND_DISPLAY") || (type != nullptr && std::strcmp(type, "wayland") == 0);
}

X11Display::X11Display(const std::string& name) {
    if (name.empty() && !IsSet("DISPLAY")) {
        return;
    }
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int reason = 0;
    display_ =
        XkbOpenDisplay(name.empty() ? nullptr : name.c_str(), nullptr, nullptr, &major, &minor, &reason);
    if (display_ != nullptr) {
        g_errors = 0;
        previous_ = XSetErrorHandler(NoteXError);
    }
}

X11Display::~X11Display() {
    if (display_ != nullptr) {
        XSync(display_, False);
        XSetErrorHandler(previous_);
        XCloseDisplay(display_);
    }
}

bool X11Display::syncWithoutErrors() {
    if (display_ == nullptr) {
        return false;
    }
    XSync(display_, False);
    return g_errors == 0;
}

} // namespace domora
