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

// Runs `act` on an open display; its answer is the reason it failed, or empty. Every failure,
// the display's own included, is told after `what`.
template <typename Act>
ActionResult OnDisplay(const std::string& displayName, const std::string& what, Act act) {
    std::string reason = WhyNotX11(displayName);
    if (reason.empty()) {
        X11Display display(displayName);
        reason = display.get() == nullptr ? std::string(NoDisplay) : act(display);
    }
    return reason.empty() ? ActionResult::ok() : ActionResult::failed(what + reason);
}

} // namespace

X11DisplayActions::X11DisplayActions(std::string displayName) : displayName_(std::move(displayName)) {}

ActionResult X11DisplayActions::monitorOff() {
    return OnDisplay(displayName_, "Не удалось выключить монитор: ", [](X11Display& display) -> std::string {
        int event = 0;
        int error = 0;
        if (!DPMSQueryExtension(display.get(), &event, &error) || !DPMSCapable(display.get())) {
            return "экран не поддерживает управление питанием монитора (DPMS).";
        }
        CARD16 level = 0;
        BOOL enabled = False;
        if (DPMSInfo(display.get(), &level, &enabled) && !enabled) {
            DPMSEnable(display.get());
        }
        DPMSForceLevel(display.get(), DPMSModeOff);
        return display.syncWithoutErrors() ? "" : "экран отказался выключить монитор.";
    });
}

ActionResult X11DisplayActions::activateScreenSaver() {
    return OnDisplay(displayName_, "Не удалось включить заставку: ", [](X11Display& display) -> std::string {
        XActivateScreenSaver(display.get());
        return display.syncWithoutErrors() ? "" : "экран отказался включить заставку.";
    });
}

ActionResult X11DisplayActions::toggleLockKey(LockKey key) {
    struct Key {
        KeySym symbol;
        const char* name;
    };
    static constexpr Key keys[] = {
        {XK_Num_Lock, "Num Lock"}, {XK_Caps_Lock, "Caps Lock"}, {XK_Scroll_Lock, "Scroll Lock"}};
    const Key& k = keys[static_cast<int>(key)];
    return OnDisplay(displayName_, std::string("Не удалось переключить ") + k.name + ": ",
                     [&k](X11Display& display) -> std::string {
                         int event = 0;
                         int error = 0;
                         int major = 0;
                         int minor = 0;
                         if (!XTestQueryExtension(display.get(), &event, &error, &major, &minor)) {
                             return "экран не принимает нажатия клавиш от программ (нет расширения XTEST).";
                         }
                         const KeyCode code = XKeysymToKeycode(display.get(), k.symbol);
                         if (code == 0) {
                             return "такой клавиши нет в раскладке клавиатуры.";
                         }
                         XTestFakeKeyEvent(display.get(), code, True, CurrentTime);
                         XTestFakeKeyEvent(display.get(), code, False, CurrentTime);
                         return display.syncWithoutErrors() ? "" : "экран не принял нажатие клавиши.";
                     });
}

} // namespace domora
