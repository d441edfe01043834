#pragma once

#include <string>

namespace domora {

// Removes the temporary files that writes killed half-way left beside the program's own
// stores: the record files and the time-server list in the data folder of `appDir`, and
// the settings file `settingsFile` (empty: none). Only names of the stores' own temporary
// files, and none a writer may be using: the settings file's writers are kept apart by its
// lock, and the data folder is written by one copy of the program only, so this runs after
// the single-instance check and before any store is opened. Returns how many were removed.
int RemoveStaleStoreTemporaries(const std::string& appDir, const std::string& settingsFile);

// The same with this system's settings file: the shared file on Linux; none on Windows,
// where the settings are in the registry. Called once at start-up.
int RemoveStaleStoreTemporaries(const std::string& appDir);

} // namespace domora
