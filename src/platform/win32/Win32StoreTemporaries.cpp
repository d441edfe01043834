#include "platform/StoreTemporaries.h"

#include "core/app/AppPaths.h"
#include "core/base/RecordFile.h"
#include "platform/win32/Win32FileStore.h"
#include "platform/win32/Win32Text.h"

#include <windows.h>

#include <vector>

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
    // The copies the record files make of themselves when damaged, under any number.
    for (const std::string* store : {&paths.BudilPath, &paths.CelebPath, &paths.ZadanPath}) {
        const std::string folder = store->substr(0, store->find_last_of("\\/") + 1);
        const std::string file = store->substr(folder.size());
        const auto pattern = Utf8ToWide(*store + ".damaged*.tmp*");
        WIN32_FIND_DATAW found{};
        const HANDLE search = pattern ? FindFirstFileW(pattern->c_str(), &found) : INVALID_HANDLE_VALUE;
        if (search == INVALID_HANDLE_VALUE) {
            continue;
        }
        std::vector<std::string> copies;
        do {
            const std::string name = WideToUtf8(found.cFileName);
            const std::string copy = name.substr(0, name.rfind(".tmp"));
            if (IsDamagedCopyName(copy, file)) {
                copies.push_back(folder + copy);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
        for (const std::string& copy : copies) {
            removed += files.removeStaleTemporaries(copy);
        }
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
