#pragma once

#include "core/base/FileStore.h"
#include "core/base/RecordFile.h"
#include "core/base/StoreResult.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace domora {

// What the alarm, holiday and task stores share: a record file read anew by every
// operation, changes written whole and atomically, a revision and listeners called after
// every change written. Records are numbered from 1 here, as the user sees them.
class RecordStore {
public:
    using Records = std::vector<RecordFile::Record>;

    RecordStore(FileStore& files, std::string path, std::size_t recordSize, std::size_t capacity);

    const std::string& path() const { return file_.path(); }
    bool fileExists() const { return files_.exists(path()); }

    // Ok when one more record fits; `full` when the file already holds as many as it may,
    // `missing` when it cannot be read.
    StoreResult room(StoreResult full, StoreResult missing) const;

    // Counts the writes made through this store, so a reader can tell that its copy is old.
    std::uint64_t revision() const { return revision_; }

    // Called, in the order added, after every change written to the file.
    void addListener(std::function<void()> listener);

    // The notice of a damaged file copied aside before a rewrite, once; empty otherwise.
    std::string takeNotice() { return file_.takeNotice(); }

protected:
    // The records; on failure `result` is set to `missing`.
    std::optional<Records> read(StoreResult& result, StoreResult missing) const;
    // Rewrites the file, counts the revision and tells the listeners.
    StoreResult write(const Records& records);
    // Empties the file (creating it); `failed` is the result when that cannot be done.
    StoreResult clear(StoreResult failed);
    // Reads the records, lets `change` edit them (its failure writes nothing) and writes
    // them back.
    template <typename Change> StoreResult edit(StoreResult missing, Change change) {
        StoreResult result;
        auto records = read(result, std::move(missing));
        if (!records) {
            return result;
        }
        result = change(*records);
        if (!result) {
            return result;
        }
        return write(*records);
    }
    static bool holds(const Records& records, int n) {
        return n >= 1 && static_cast<std::size_t>(n) <= records.size();
    }
    std::size_t capacity() const { return file_.capacity(); }

private:
    FileStore& files_;
    RecordFile file_;
    std::uint64_t revision_ = 0;
    std::vector<std::function<void()>> listeners_;
};

} // namespace domora
