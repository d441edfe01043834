#pragma once

#include "platform/KeyboardLayout.h"

#include <optional>
#include <string>

namespace domora {

// The position of "ru" in a comma-separated XKB layout list ("us,ru" -> 1), or nothing.
std::optional<int> RussianGroupIndex(const std::string& layoutList);

// Under X11: locks the keyboard to the group of the "ru" layout among the layouts the user
// has configured. The list of layouts itself is never changed.
class XkbKeyboardLayout final : public KeyboardLayout {
public:
    // `displayName` empty: the display of $DISPLAY.
    explicit XkbKeyboardLayout(std::string displayName = {});

    // False without a display, without XKB, or without a "ru" layout.
    bool activateRussian() override;
    // The locked group of the display's keyboard, or nothing without a display.
    std::optional<int> currentGroup() const;

private:
    std::string displayName_;
};

} // namespace domora
