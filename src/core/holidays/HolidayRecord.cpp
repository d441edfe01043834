#include "core/holidays/HolidayRecord.h"

#include "core/base/TextField.h"

#include <stdexcept>

namespace domora {
namespace {

constexpr std::size_t kMonth = 0;
constexpr std::size_t kDay = 1;
constexpr std::size_t kEvent = 2;
constexpr std::size_t kComment = 203;

} // namespace

HolidayRecord DecodeHoliday(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kHolidayRecordSize) {
        throw std::invalid_argument("a holiday record is 404 bytes");
    }
    HolidayRecord r;
    r.Month = bytes[kMonth];
    r.Day = bytes[kDay];
    r.Event = ReadTextField(bytes, kEvent, kHolidayTextChars);
    r.Comment = ReadTextField(bytes, kComment, kHolidayTextChars);
    return r;
}

std::vector<std::uint8_t> EncodeHoliday(const HolidayRecord& r) {
    std::vector<std::uint8_t> bytes(kHolidayRecordSize, 0);
    bytes[kMonth] = static_cast<std::uint8_t>(r.Month);
    bytes[kDay] = static_cast<std::uint8_t>(r.Day);
    WriteTextField(bytes, kEvent, kHolidayTextChars, r.Event);
    WriteTextField(bytes, kComment, kHolidayTextChars, r.Comment);
    return bytes;
}

} // namespace domora
