#pragma once

#include "platform/KeyboardLayout.h"

namespace domora {

// LoadKeyboardLayoutA("00000419", KLF_ACTIVATE): the Russian layout for this program.
class Win32KeyboardLayout final : public KeyboardLayout {
public:
    bool activateRussian() override;
};

} // namespace domora
