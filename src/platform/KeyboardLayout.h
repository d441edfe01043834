#pragma once

namespace domora {

class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // Switches the program's input to the Russian layout. False where it cannot be done.
    virtual bool activateRussian() = 0;
};

} // namespace domora
