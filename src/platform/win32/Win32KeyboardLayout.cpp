#include "platform/win32/Win32KeyboardLayout.h"

#include <windows.h>

namespace domora {

bool Win32KeyboardLayout::activateRussian() {
    return LoadKeyboardLayoutA("00000419", KLF_ACTIVATE) != nullptr;
}

} // namespace domora
