#pragma once

#include <string>

namespace domora {

// Starting the program with the user's session.
class Autostart {
public:
    virtual ~Autostart() = default;
    // Registers `executablePath` to start with the session. False when it cannot be stored.
    virtual bool set(const std::string& executablePath) = 0;
    // Removes the registration. False when there was none or it cannot be removed.
    virtual bool remove() = 0;
    virtual bool isSet() = 0;
};

} // namespace domora
