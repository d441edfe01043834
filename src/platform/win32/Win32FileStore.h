#pragma once

#include "core/base/FileStore.h"

namespace domora {

// Whole files through the ANSI file calls; the atomic write goes through a temporary file
// in the same folder, flushed and moved over the target (MoveFileExA).
class Win32FileStore final : public FileStore {
public:
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr) override;
    bool exists(const std::string& path) override;
};

} // namespace domora
