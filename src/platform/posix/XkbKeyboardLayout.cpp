#include "platform/posix/XkbKeyboardLayout.h"

#include "platform/posix/X11Display.h"

#include <vector>

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace domora {
namespace {

// The layout list of the root window's _XKB_RULES_NAMES: rules, model, layouts, variants,
// options, each ended by a NUL.
std::string ConfiguredLayouts(Display* display) {
    const Atom names = XInternAtom(display, "_XKB_RULES_NAMES", True);
    if (names == None) {
        return {};
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), names, 0, 1024, False, XA_STRING, &type,
                           &format, &count, &remaining, &data) != Success ||
        data == nullptr) {
        return {};
    }
    std::vector<std::string> fields;
    std::string field;
    for (unsigned long i = 0; i < count; ++i) {
        if (data[i] == '\0') {
            fields.push_back(field);
            field.clear();
        } else {
            field += static_cast<char>(data[i]);
        }
    }
    fields.push_back(field);
    XFree(data);
    return fields.size() > 2 ? fields[2] : std::string();
}

} // namespace

std::optional<int> RussianGroupIndex(const std::string& layoutList) {
    int index = 0;
    std::size_t start = 0;
    for (;;) {
        const auto comma = layoutList.find(',', start);
        std::string layout =
            layoutList.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        while (!layout.empty() && layout.front() == ' ') {
            layout.erase(0, 1);
        }
        while (!layout.empty() && layout.back() == ' ') {
            layout.pop_back();
        }
        if (layout == "ru") {
            return index < XkbNumKbdGroups ? std::optional<int>(index) : std::nullopt;
        }
        if (comma == std::string::npos) {
            return std::nullopt;
        }
        start = comma + 1;
        ++index;
    }
}

XkbKeyboardLayout::XkbKeyboardLayout(std::string displayName) : displayName_(std::move(displayName)) {}

bool XkbKeyboardLayout::activateRussian() {
    X11Display display(displayName_);
    if (display.get() == nullptr) {
        return false;
    }
    const auto group = RussianGroupIndex(ConfiguredLayouts(display.get()));
    if (!group) {
        return false;
    }
    return XkbLockGroup(display.get(), XkbUseCoreKbd, static_cast<unsigned>(*group)) == True;
}

std::optional<int> XkbKeyboardLayout::currentGroup() const {
    X11Display display(displayName_);
    if (display.get() == nullptr) {
        return std::nullopt;
    }
    XkbStateRec state{};
    if (XkbGetState(display.get(), XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    return static_cast<int>(state.locked_group);
}

} // namespace domora
