#include "core/base/TextField.h"

#include "core/base/Cp1251.h"

#include <algorithm>
#include <stdexcept>

namespace domora {
namespace {

void CheckField(std::size_t recordSize, std::size_t offset, std::size_t capacity) {
    if (capacity > 255 || offset > recordSize || recordSize - offset < capacity + 1) {
        throw std::out_of_range("text field outside its record");
    }
}

} // namespace

std::string ReadTextField(std::span<const std::uint8_t> record, std::size_t offset, std::size_t capacity) {
    CheckField(record.size(), offset, capacity);
    const std::size_t length = std::min<std::size_t>(record[offset], capacity);
    const auto* text = record.data() + offset + 1;
    return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(text), length));
}

void WriteTextField(std::span<std::uint8_t> record, std::size_t offset, std::size_t capacity,
                    std::string_view utf8) {
    CheckField(record.size(), offset, capacity);
    std::string bytes = Utf8ToCp1251Lossy(utf8);
    if (bytes.size() > capacity) {
        bytes.resize(capacity);
    }
    record[offset] = static_cast<std::uint8_t>(bytes.size());
    auto* text = record.data() + offset + 1;
    std::fill(text, text + capacity, std::uint8_t{0});
    std::copy(bytes.begin(), bytes.end(), text);
}

} // namespace domora
