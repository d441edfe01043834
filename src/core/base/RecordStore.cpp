#include "core/base/RecordStore.h"

#include <utility>

namespace domora {

RecordStore::RecordStore(FileStore& files, std::string path, std::size_t recordSize, std::size_t capacity)
    : files_(files), file_(files, std::move(path), recordSize, capacity) {}

StoreResult RecordStore::room(StoreResult full, StoreResult missing) const {
    const auto count = file_.count();
    if (!count) {
        return missing;
    }
    return *count < file_.capacity() ? StoreResult{} : full;
}

void RecordStore::addListener(std::function<void()> listener) {
    listeners_.push_back(std::move(listener));
}

std::optional<RecordStore::Records> RecordStore::read(StoreResult& result, StoreResult missing) const {
    auto records = file_.readAll();
    if (!records) {
        result = std::move(missing);
    }
    return records;
}

StoreResult RecordStore::write(const Records& records) {
    RecordFileError error;
    if (!file_.rewrite(records, &error)) {
        return {StoreResult::Status::IoError, error.message};
    }
    ++revision_;
    // By index: a listener may add another one.
    for (std::size_t i = 0; i < listeners_.size(); ++i) {
        listeners_[i]();
    }
    return {};
}

StoreResult RecordStore::clear(StoreResult failed) {
    if (!write({})) {
        return failed;
    }
    return {};
}

} // namespace domora
