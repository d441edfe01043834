#include "core/holidays/CelebRecord.h"

#include "core/base/TextField.h"

#include <stdexcept>

namespace domora {
namespace {

constexpr std::size_t kMonth = 0;
constexpr std::size_t kDay = 1;
constexpr std::size_t kEvent = 2;
constexpr std::size_t kComment = 203;

} // namespace

CelebRecord DecodeCeleb(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kCelebRecordSize) {
        throw std::invalid_argument("a holiday record is 404 bytes");
    }
    CelebRecord r;
    r.Month = bytes[kMonth];
    r.Day = bytes[kDay];
    r.Event = ReadTextField(bytes, kEvent, kCelebTextChars);
    r.Comment = ReadTextField(bytes, kComment, kCelebTextChars);
    return r;
}

std::vector<std::uint8_t> EncodeCeleb(const CelebRecord& r) {
    std::vector<std::uint8_t> bytes(kCelebRecordSize, 0);
    bytes[kMonth] = static_cast<std::uint8_t>(r.Month);
    bytes[kDay] = static_cast<std::uint8_t>(r.Day);
    WriteTextField(bytes, kEvent, kCelebTextChars, r.Event);
    WriteTextField(bytes, kComment, kCelebTextChars, r.Comment);
    return bytes;
}

} // namespace domora
