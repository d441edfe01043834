#pragma once

#include "platform/Autostart.h"

namespace domora {

// Starting with the system: the text value "Domora" under the local machine's
// Software\Microsoft\Windows\CurrentVersion\Run.
class Win32Autostart final : public Autostart {
public:
    bool set(const std::string& executablePath) override;
    bool remove() override;
    bool isSet() override;
};

} // namespace domora
