#include "testing/core/MemoryFileStore.h"

namespace domora {
namespace {

std::string DiskFull(const std::string& path) {
    return "Не удалось записать файл «" + path + "»: нет места на диске";
}

} // namespace

std::optional<std::string> MemoryFileStore::readAll(const std::string& path) {
    const auto it = files_.find(path);
    if (it == files_.end() || unreadable_.count(path) != 0) {
        return std::nullopt;
    }
    return it->second;
}

bool MemoryFileStore::writeAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    if (writesFail_) {
        if (error != nullptr) {
            *error = DiskFull(path);
        }
        return false;
    }
    files_[path] = std::string(bytes);
    return true;
}

bool MemoryFileStore::makeFolder(const std::string& path, std::string* error) {
    if (writesFail_) {
        if (error != nullptr) {
            *error = DiskFull(path);
        }
        return false;
    }
    folders_.insert(path);
    return true;
}

} // namespace domora
