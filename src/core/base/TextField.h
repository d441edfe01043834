#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace domora {

// Length-prefixed text fields of the record files. A field of capacity N occupies N + 1
// bytes at its offset: one length byte (0..N), then N bytes of code page 1251 text; the
// bytes after the text are not significant and are written as zeros. N is at most 255.
//
// Both functions throw std::out_of_range when the field does not lie inside the record or
// the capacity exceeds 255: a codec with a wrong offset is a programming error.

// The text of the field as UTF-8. A length byte larger than N is taken as N.
std::string ReadTextField(std::span<const std::uint8_t> record, std::size_t offset, std::size_t capacity);

// Stores `utf8`, cut to N characters, and zeros after it. A character the code page lacks
// is stored as '?': callers refuse such characters where the user types them.
void WriteTextField(std::span<std::uint8_t> record, std::size_t offset, std::size_t capacity,
                    std::string_view utf8);

} // namespace domora
