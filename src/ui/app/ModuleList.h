#pragma once

#include "ui/app/Module.h"

#include <memory>
#include <vector>

namespace domora {

// The program's subsystems in the order the main window calls them (and their branches
// appear in the tray menu).
std::vector<std::unique_ptr<Module>> CreateModules(const ModuleContext& context);

} // namespace domora
