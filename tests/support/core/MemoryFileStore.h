#pragma once

#include "core/base/FileStore.h"

#include <map>
#include <set>
#include <string>

namespace domora {

// Files in memory, for tests of the stores. A write can be made to fail, like a full disk.
class MemoryFileStore final : public FileStore {
public:
    std::optional<std::string> readAll(const std::string& path) override;
    bool writeAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr) override;
    bool exists(const std::string& path) override {
        return files_.count(path) != 0 || unreadable_.count(path) != 0;
    }
    bool makeFolder(const std::string& path, std::string* error = nullptr) override;
    // Writes in memory leave no temporary files.
    int removeStaleTemporaries(const std::string&) override { return 0; }

    void put(const std::string& path, std::string bytes) { files_[path] = std::move(bytes); }
    void remove(const std::string& path) { files_.erase(path); }
    void setWritesFail(bool fail) { writesFail_ = fail; }
    // The path exists but cannot be read (a folder in its place, no access).
    void makeUnreadable(const std::string& path) { unreadable_.insert(path); }
    const std::map<std::string, std::string>& files() const { return files_; }
    const std::set<std::string>& folders() const { return folders_; }

private:
    std::map<std::string, std::string> files_;
    std::set<std::string> folders_;
    std::set<std::string> unreadable_;
    bool writesFail_ = false;
};

} // namespace domora
