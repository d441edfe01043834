#include "platform/posix/X11DisplayActions.h"

#include "platform/posix/X11Display.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/dpms.h>
#include <X11/keysym.h>

namespace domora {
namespace {

const char* const NoDisplay = "нет связи с экраном X11.";

// A Wayland session, or no X display at all: the reason, or empty where X11 can be used.
std::string WhyNotX11(const std::string& displayName) {
    if (displayName.empty() && IsWaylandSession()) {
        return "рабочий стол Wayland не позволяет программам это делать.";
    }
    return {};
}

} // namespace

X11DisplayActions::X11DisplayActions(std::string displayName) : displayName_(std::move(displayName)) {}

ActionResult X11DisplayActions::monitorOff() {
    const auto failed = [](const std::string& reason) {
        return ActionResult::failed("Не удалось выключить монитор: " + reason);
    };
    if (const std::string reason = WhyNotX11(displayName_); !reason.empty()) {
        return failed(reason);
    }
    X11Display display(displayName_);
    if (display.get() == nullptr) {
        return failed(NoDisplay);
    }
    int event = 0;
    int error = 0;
    if (!DPMSQueryExtension(display.get(), &event, &error) || !DPMSCapable(display.get())) {
        return failed("экран не поддерживает управление питанием монитора (DPMS).");
    }
    CARD16 level = 0;
    BOOL enabled = False;
    if (DPMSInfo(display.get(), &level, &enabled) && !enabled) {
        DPMSEnable(display.get());
    }
    DPMSForceLevel(display.get(), DPMSModeOff);
    if (!display.syncWithoutErrors()) {
        return failed("экран отказался выключить монитор.");
    }
    return ActionResult::ok();
}

ActionResult X11DisplayActions::activateScreenSaver() {
    const auto failed = [](const std::string& reason) {
        return ActionResult::failed("Не удалось включить заставку: " + reason);
    };
    if (const std::string reason = WhyNotX11(displayName_); !reason.empty()) {
        return failed(reason);
    }
    X11Display display(displayName_);
    if (display.get() == nullptr) {
        return failed(NoDisplay);
    }
    XActivateScreenSaver(display.get());
    if (!display.syncWithoutErrors()) {
        return failed("экран отказался включить заставку.");
    }
    return ActionResult::ok();
}

ActionResult X11DisplayActions::toggleLockKey(LockKey key) {
    struct Key {
        KeySym symbol;
        const char* name;
    };
    static constexpr Key keys[] = {
        {XK_Num_Lock, "Num Lock"}, {XK_Caps_Lock, "Caps Lock"}, {XK_Scroll_Lock, "Scroll Lock"}};
    const Key& k = keys[static_cast<int>(key)];
    const auto failed = [&k](const std::string& reason) {
        return ActionResult::failed(std::string("Не удалось переключить ") + k.name + ": " + reason);
    };
    if (const std::string reason = WhyNotX11(displayName_); !reason.empty()) {
        return failed(reason);
    }
    X11Display display(displayName_);
    if (display.get() == nullptr) {
        return failed(NoDisplay);
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(display.get(), &event, &error, &major, &minor)) {
        return failed("экран не принимает нажатия клавиш от программ (нет расширения XTEST).");
    }
    const KeyCode code = XKeysymToKeycode(display.get(), k.symbol);
    if (code == 0) {
        return failed("такой клавиши нет в раскладке клавиатуры.");
    }
    XTestFakeKeyEvent(display.get(), code, True, CurrentTime);
    XTestFakeKeyEvent(display.get(), code, False, CurrentTime);
    if (!display.syncWithoutErrors()) {
        return failed("экран не принял нажатие клавиши.");
    }
    return ActionResult::ok();
}

} // namespace domora
