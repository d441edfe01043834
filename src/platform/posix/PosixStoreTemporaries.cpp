#include "platform/StoreTemporaries.h"

#include "core/app/AppPaths.h"
#include "core/base/RecordFile.h"
#include "platform/posix/FileRegistry.h"
#include "platform/posix/PosixFileStore.h"

namespace domora {

int RemoveStaleStoreTemporaries(const std::string& appDir, const std::string& settingsFile) {
    const AppPaths paths = AppPaths::FromAppDir(appDir);
    const std::string servers = paths.AppDir + "Data/IServers.DMR"; // the time-server list
    PosixFileStore files;
    int removed = 0;
    for (const std::string* store : {&paths.BudilPath, &paths.CelebPath, &paths.ZadanPath, &servers}) {
        removed += files.removeStaleTemporaries(*store);
    }
    // The copies the record files make of themselves when damaged, under any number.
    const std::string data = ResolvePathNoCase(paths.AppDir + "Data");
    for (const std::string* store : {&paths.BudilPath, &paths.CelebPath, &paths.ZadanPath}) {
        const std::string file = store->substr(store->rfind('/') + 1);
        removed +=
            RemoveTemporariesIn(data, [&](std::string_view name) { return IsDamagedCopyName(name, file); });
    }
    if (!settingsFile.empty()) {
        removed += RemoveStaleSettingsTemporaries(settingsFile);
    }
    return removed;
}

int RemoveStaleStoreTemporaries(const std::string& appDir) {
    return RemoveStaleStoreTemporaries(appDir, DefaultRegistryPath());
}

} // namespace domora
