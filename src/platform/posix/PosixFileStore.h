#pragma once

#include "core/base/FileStore.h"

#include <functional>
#include <string>
#include <string_view>

namespace domora {

// `path` with each component that does not exist as written replaced by the entry of its
// folder whose name matches it without regard to letter case (Latin and Cyrillic), so a
// data folder copied from Windows ("BUDIL.DMR", "sound/timer/timer.WAV") is found. From
// the first component that matches nothing on, the rest stays as written.
std::string ResolvePathNoCase(const std::string& path);

// A Russian text for a failed file operation: "нет места на диске", "нет доступа", ...
std::string SystemErrorText(int errorNumber);

// Removes the temporary files that atomic writes killed half-way left in `folder`: regular
// files ".<name>.tmp-XXXXXX" (six letters or digits) whose <name> `written` accepts.
// Returns how many were removed.
int RemoveTemporariesIn(const std::string& folder, const std::function<bool(std::string_view name)>& written);

// Files of the local file system, names matched without regard to letter case.
class PosixFileStore final : public FileStore {
public:
    std::optional<std::string> readAll(const std::string& path) override;
    // Temporary file in the target's folder, fsync, rename over the target (onto the real
    // name of an existing file), fsync of the folder. A symbolic link is written through.
    bool writeAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr) override;
    bool exists(const std::string& path) override;
    bool makeFolder(const std::string& path, std::string* error = nullptr) override;
    // Removes ".<name>.tmp-XXXXXX" files (six letters or digits) beside the target.
    int removeStaleTemporaries(const std::string& path) override;
};

} // namespace domora
