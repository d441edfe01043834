#pragma once

#include "core/base/FileStore.h"

namespace domora {

// Whole files through the wide file calls, the UTF-8 paths converted to UTF-16, so that any
// name the file system holds can be reached (Cyrillic ones included, whatever the ANSI code
// page). The atomic write goes through a temporary file in the same folder, flushed and moved
// over the target (MoveFileExW). A path that is not UTF-8 is refused.
class Win32FileStore final : public FileStore {
public:
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr) override;
    bool exists(const std::string& path) override;
    bool makeFolder(const std::string& path, std::string* error = nullptr) override;
    // Removes "<name>.tmp<process number>" files beside the target.
    int removeStaleTemporaries(const std::string& path) override;
};

} // namespace domora
