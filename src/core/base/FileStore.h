#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace domora {

// Whole-file reads and atomic whole-file writes. The platform layer implements it; core
// logic and its tests only see this port.
class FileStore {
public:
    virtual ~FileStore() = default;

    // The file's bytes, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    // Writes a temporary file in the same folder, flushes it to disk and renames it over
    // `path`, so the old file or the new one survives a crash, never a short one. On
    // failure the old file is untouched and `error` (when given) says why, in Russian.
    virtual bool writeAtomic(const std::string& path, std::string_view bytes,
                             std::string* error = nullptr) = 0;
    virtual bool exists(const std::string& path) = 0;
    // Makes the folder when it is missing (its parent must exist). True when the folder is
    // there afterwards; otherwise `error` (when given) says why, in Russian.
    virtual bool makeFolder(const std::string& path, std::string* error = nullptr) = 0;
    // Removes the temporary files that interrupted atomic writes of `path` (a program
    // killed while writing) left in its folder: only names of this store's own temporary
    // files for `path`, never anything else. Returns how many were removed.
    virtual int removeStaleTemporaries(const std::string& path) = 0;
};

} // namespace domora
