#include "platform/StoreTemporaries.h"

#include "core/app/AppPaths.h"
#include "platform/win32/Win32FileStore.h"

namespace domora {

// A writer keeps its temporary file open unshared until it has renamed it, so one in use
// cannot be deleted here.
int RemoveStaleStoreTemporaries(const std::string& appDir, const std::string& settingsFile) {
    const AppPaths paths = AppPaths::FromAppDir(appDir);
    const std::string servers = paths.AppDir + "Data\\IServers.DMR"; // the time-server list
    Win32FileStore files;
    int removed = 0;
    for (const std::string* store : {&paths.BudilPath, &paths.CelebPath, &paths.ZadanPath, &servers}) {
        removed += files.removeStaleTemporaries(*store);
    }
    if (!settingsFile.empty()) {
        removed += files.removeStaleTemporaries(settingsFile);
    }
    return removed;
}

int RemoveStaleStoreTemporaries(const std::string& appDir) {
    return RemoveStaleStoreTemporaries(appDir, {});
}

} // namespace domora
