#pragma once

#include <string>

namespace domora {

// What an operation of a record store did. On failure `message` holds the Russian text to
// show; nothing was written then.
struct StoreResult {
    enum class Status {
        Ok,
        FileMissing,  // an error box with one OK button and `message`
        Full,         // the file holds as many records as it may
        NoSuchRecord, // the number names no record of the file
        IoError,      // the general error box, with the system's reason
    };
    Status status = Status::Ok;
    std::string message;

    bool ok() const { return status == Status::Ok; }
    explicit operator bool() const { return ok(); }
};

} // namespace domora
