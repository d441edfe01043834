#pragma once

#include "core/base/FileStore.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace domora {

// Why a record file operation did nothing, with a Russian text for the user.
struct RecordFileError {
    enum class Kind {
        CannotOpen,   // the file is missing or cannot be read
        Full,         // an addition would pass the capacity
        NoSuchRecord, // the index names no record
        WrongSize,    // a record of another size was given
        WriteFailed,  // the new contents could not be written; the old file is intact
    };
    Kind kind = Kind::CannotOpen;
    std::string message;
};

// Whether `name` is one of the names RecordFile gives the copy of a damaged `fileName`
// ("Budil.DMR.damaged", "Budil.DMR.damaged-2", ...), letter case aside, so that the start-up
// clean-up finds the temporary files of copies whose writing was killed.
bool IsDamagedCopyName(std::string_view name, std::string_view fileName);

// A file of whole fixed-size records with no header. A trailing partial record is
// ignored (and dropped by the next rewrite). Every change reads the whole file, changes
// the records in memory and writes the whole file back atomically, so a failure leaves
// the old file as it was. Additions past the capacity are refused; a file that already
// holds more records (written by another program) is read whole and nothing of it is lost.
//
// Records are numbered from 0 here; the user-facing numbers start at 1.
class RecordFile {
public:
    using Record = std::vector<std::uint8_t>;

    // Removes the temporary files that rewrites killed half-way left beside the file.
    RecordFile(FileStore& files, std::string path, std::size_t recordSize, std::size_t capacity);

    const std::string& path() const { return path_; }
    std::size_t recordSize() const { return recordSize_; }
    std::size_t capacity() const { return capacity_; }

    // Every whole record in file order; nothing when the file cannot be opened.
    std::optional<std::vector<Record>> readAll(RecordFileError* error = nullptr) const;
    // The number of whole records; nothing when the file cannot be opened.
    std::optional<std::size_t> count(RecordFileError* error = nullptr) const;

    // Replaces the whole contents with `records` (also creates the file). A file whose end
    // is not a whole record (cut short, or written by another program) is first copied
    // beside itself ("<name>.damaged", or "-2", "-3" ... when taken), so that the bytes the
    // rewrite drops are kept; when the copy cannot be made, nothing is written.
    bool rewrite(const std::vector<Record>& records, RecordFileError* error = nullptr);

    // The Russian notice of the last copy made of a damaged file, once; empty otherwise.
    std::string takeNotice() { return std::exchange(notice_, {}); }
    // Adds a record at the end / before `index` (index == count appends).
    bool append(const Record& record, RecordFileError* error = nullptr);
    bool insert(std::size_t index, const Record& record, RecordFileError* error = nullptr);
    bool replace(std::size_t index, const Record& record, RecordFileError* error = nullptr);
    bool remove(std::size_t index, RecordFileError* error = nullptr);

private:
    bool fail(RecordFileError* error, RecordFileError::Kind kind, std::string message) const;
    // Copies a file that ends in part of a record beside itself before it is rewritten.
    bool keepDamagedCopy(RecordFileError* error);
    bool checkSize(const Record& record, RecordFileError* error) const;
    bool noSuchRecord(RecordFileError* error, std::size_t index) const;
    // Adds a record before `index`, or at the end when there is none.
    bool add(std::optional<std::size_t> index, const Record& record, RecordFileError* error);

    FileStore& files_;
    std::string path_;
    std::size_t recordSize_;
    std::size_t capacity_;
    std::string notice_;
};

} // namespace domora
