// libFuzzer target: the JPEG preview decoder on any bytes. It must never crash, leak or read
// out of bounds, and what it returns must hold together: either a picture of the size it
// gives, or no picture and a message.

#include "ui/service/JpegPreviewDecoder.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

using domora::DecodedJpeg;
using domora::JpegPreviewDecoder;

void check(const DecodedJpeg& result) {
    const bool consistent =
        result.empty() ? !result.message.empty() && result.width == 0 && result.height == 0
                       : result.message.empty() && result.width > 0 && result.height > 0 &&
                             result.rgb.size() == std::size_t(result.width) * std::size_t(result.height) * 3;
    if (!consistent) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const DecodedJpeg preview = JpegPreviewDecoder::decodeForBox(bytes, 160, 120);
    check(preview);
    // Small pictures decode at full size too, through the full-size transforms.
    if (!preview.empty() && std::int64_t{preview.sourceWidth} * preview.sourceHeight <= 1'000'000) {
        check(JpegPreviewDecoder::decodeAtScale(bytes, 1));
    }
    return 0;
}
