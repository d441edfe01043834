#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace domora {

// One holiday of the holiday file: a fixed 404-byte record, no header, no year.
//
//   0 Month (unsigned byte, 1..12)    1 Day (unsigned byte, 1..31)
//   2 Event (text, 200)             203 Comment (text, 200)
//
// A text field of N characters is one length byte and N bytes of code page 1251 text.
inline constexpr std::size_t kHolidayRecordSize = 404;
// The holiday file holds at most this many holidays; the reminder keeps one flag for each.
inline constexpr std::size_t kMaxHolidays = 1000;
// Capacity of the event and the comment in characters.
inline constexpr std::size_t kHolidayTextChars = 200;

struct HolidayRecord {
    int Month = 0;
    int Day = 0;
    std::string Event;
    std::string Comment;

    // Records have no key: two holidays are the same when all four fields are.
    friend bool operator==(const HolidayRecord&, const HolidayRecord&) = default;
};

// Reads a record of exactly kHolidayRecordSize bytes (std::invalid_argument otherwise). A
// length byte above 200 is taken as 200; bytes after a text are ignored.
HolidayRecord DecodeHoliday(std::span<const std::uint8_t> bytes);

// The record's bytes: month and day as bytes, texts in code page 1251 cut to 200
// characters, zeros after each text.
std::vector<std::uint8_t> EncodeHoliday(const HolidayRecord& record);

} // namespace domora
