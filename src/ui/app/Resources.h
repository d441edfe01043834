#pragma once

namespace domora {

// Registers the pictures of the UI library's resources. A static library needs this done
// by hand before the first picture is loaded; calling it again does nothing.
void RegisterResources();

} // namespace domora
