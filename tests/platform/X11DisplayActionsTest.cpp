#include "platform/posix/X11DisplayActions.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace domora {
namespace {

// The lit keyboard indicators and the locked modifiers of the display's keyboard.
std::optional<std::pair<unsigned, unsigned>> LockState(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        return std::nullopt;
    }
    unsigned indicators = 0;
    XkbStateRec state{};
    const bool read = XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) == Success &&
                      XkbGetState(display, XkbUseCoreKbd, &state) == Success;
    XCloseDisplay(display);
    return read ? std::optional(std::pair(indicators, static_cast<unsigned>(state.locked_mods)))
                : std::nullopt;
}

// The usual keymaps give Scroll Lock no modifier; as many desktops do, it gets Mod3 here so
// that it has a state to see.
bool GiveScrollLockAModifier(const std::string& name) {
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) {
        return false;
    }
    XModifierKeymap* map = XGetModifierMapping(display);
    map = XInsertModifiermapEntry(map, XKeysymToKeycode(display, XK_Scroll_Lock), Mod3MapIndex);
    const bool set = XSetModifierMapping(display, map) == MappingSuccess;
    XFreeModifiermap(map);
    XCloseDisplay(display);
    return set;
}

TEST(X11DisplayActions, ALockKeyToggledTwiceComesBack) {
    test::VirtualDisplay display;
    if (display.name().empty()) {
        GTEST_SKIP() << "Xvfb missing or not started";
    }
    ASSERT_TRUE(GiveScrollLockAModifier(display.name()));
    X11DisplayActions actions(display.name());
    for (const LockKey key : {LockKey::NumLock, LockKey::CapsLock, LockKey::ScrollLock}) {
        const auto before = LockState(display.name());
        ASSERT_TRUE(before);
        const ActionResult once = actions.toggleLockKey(key);
        EXPECT_TRUE(once.done) << once.failure;
        const auto toggled = LockState(display.name());
        EXPECT_NE(toggled, before) << static_cast<int>(key);
        EXPECT_TRUE(actions.toggleLockKey(key).done);
        EXPECT_EQ(LockState(display.name()), before) << static_cast<int>(key);
    }
}

} // namespace
} // namespace domora
