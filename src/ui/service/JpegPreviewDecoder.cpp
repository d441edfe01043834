#include "ui/service/JpegPreviewDecoder.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <new>
#include <type_traits>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>
// After jpeglib.h: the message codes.
#include <jerror.h>

namespace domora {

namespace {

// libjpeg reports an error by calling error_exit, which must not return: it jumps back to the
// decoding function, over libjpeg's C frames, where no exception may pass.
struct ErrorTrap {
    jpeg_error_mgr manager; // first, so that libjpeg's pointer to it is a pointer to the trap
    std::jmp_buf jump;
};
static_assert(std::is_standard_layout_v<ErrorTrap>);

// A progressive file may hold any number of scans; past this many it is taken as damaged
// rather than decoded for ever.
constexpr int kMostScans = 500;
// What libjpeg may allocate for one picture; a progressive picture keeps all its
// coefficients, two bytes a sample. Past it libjpeg stops with an error.
constexpr long kMostLibraryMemory = 768L * 1024 * 1024;
// Scanlines asked for in one call: libjpeg returns up to its output group of rows at a time.
constexpr int kRowsAtOnce = 16;

[[noreturn]] void leave(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1);
}

// Warnings (level -1) that mean picture data is missing or wrong stop the decoding as an
// error does: a truncated file is not shown half grey. The others, and the trace messages,
// are dropped.
void stopOnDamage(j_common_ptr cinfo, int level) {
    if (level >= 0) {
        return;
    }
    switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_BOGUS_PROGRESSION:
        leave(cinfo);
    default:
        break;
    }
}

// libjpeg's messages would go to stderr: a preview says nothing there.
void silence(j_common_ptr) {}

void countScans(j_common_ptr cinfo) {
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMostScans) {
        leave(cinfo);
    }
}

// a * b / 255, rounded, for two bytes.
std::uint8_t product(unsigned a, unsigned b) {
    return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// One row of CMYK samples as RGB. Adobe's files store the inks inverted (0 is full ink).
void cmykToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, int width, bool inverted) {
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int i = 0; i < 3; ++i) {
            rgb[i] = product(inverted ? cmyk[i] : 255u - cmyk[i], k);
        }
    }
}

// What is asked: a box to reduce for, or a reduction given outright (forcedScale > 0).
struct Request {
    int boxWidth = 0;
    int boxHeight = 0;
    int forcedScale = 0;
};

// The decoding itself, between the jump's target and the jump. Only objects without
// destructors live in this frame: a longjmp back here must skip none. Returns the message of
// a failure, or nullptr. The caller destroys `cinfo` in every case.
const char* decodeInto(jpeg_decompress_struct& cinfo, ErrorTrap& trap, jpeg_progress_mgr& progress,
                       std::span<const std::uint8_t> data, const Request& request, DecodedJpeg& out,
                       std::vector<std::uint8_t>& cmykRow) {
    if (setjmp(trap.jump) != 0) {
        const int code = trap.manager.msg_code;
        return code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE ? JpegPreviewDecoder::kTooLarge
                                                                           : JpegPreviewDecoder::kDamaged;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMostLibraryMemory;
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);

    const std::int64_t pixels = std::int64_t{cinfo.image_width} * cinfo.image_height;
    if (pixels == 0) {
        return JpegPreviewDecoder::kDamaged;
    }
    if (pixels > JpegPreviewDecoder::kMostPixels) {
        return JpegPreviewDecoder::kTooLarge;
    }
    out.sourceWidth = static_cast<int>(cinfo.image_width);
    out.sourceHeight = static_cast<int>(cinfo.image_height);
    out.scaleDenom = request.forcedScale > 0
                         ? request.forcedScale
                         : JpegPreviewDecoder::previewScale(out.sourceWidth, out.sourceHeight,
                                                            request.boxWidth, request.boxHeight);

    cinfo.scale_num = 1;
    cinfo.scale_denom = static_cast<unsigned>(out.scaleDenom);
    cinfo.dct_method = JDCT_IFAST;
    cinfo.do_fancy_upsampling = FALSE;
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_components != (cmyk ? 4 : 3)) {
        return JpegPreviewDecoder::kDamaged;
    }

    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    const std::size_t stride = std::size_t{cinfo.output_width} * 3;
    out.rgb.resize(stride * cinfo.output_height);
    cmykRow.resize(cmyk ? std::size_t{cinfo.output_width} * 4 : 0);

    std::array<JSAMPROW, kRowsAtOnce> rows{};
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION first = cinfo.output_scanline;
        JDIMENSION wanted = 1;
        if (cmyk) {
            rows[0] = cmykRow.data();
        } else {
            wanted = std::min<JDIMENSION>(kRowsAtOnce, cinfo.output_height - first);
            for (JDIMENSION i = 0; i < wanted; ++i) {
                rows[i] = out.rgb.data() + (first + i) * stride;
            }
        }
        if (jpeg_read_scanlines(&cinfo, rows.data(), wanted) == 0) {
            return JpegPreviewDecoder::kDamaged; // no more data: cannot happen with the data in memory
        }
        if (cmyk) {
            cmykToRgb(cmykRow.data(), out.rgb.data() + first * stride, out.width, cinfo.saw_Adobe_marker);
        }
    }
    jpeg_finish_decompress(&cinfo);
    return nullptr;
}

DecodedJpeg decode(std::span<const std::uint8_t> data, const Request& request) {
    DecodedJpeg result;
    jpeg_decompress_struct cinfo{};
    ErrorTrap trap{};
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = leave;
    trap.manager.emit_message = stopOnDamage;
    trap.manager.output_message = silence;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = countScans;
    std::vector<std::uint8_t> cmykRow;

    const char* message = nullptr;
    try {
        message = decodeInto(cinfo, trap, progress, data, request, result, cmykRow);
    } catch (const std::bad_alloc&) {
        message = JpegPreviewDecoder::kTooLarge;
    }
    jpeg_destroy_decompress(&cinfo);
    if (message != nullptr) {
        result = DecodedJpeg{};
        result.message = message;
    }
    return result;
}

// x / d, rounded up, as libjpeg sizes a reduced picture.
int reduced(int x, int d) {
    return (x + d - 1) / d;
}

} // namespace

int JpegPreviewDecoder::previewScale(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0 ||
        (width <= boxWidth && height <= boxHeight)) {
        return 1;
    }
    // The picture fitted into the box.
    int fitWidth = boxWidth;
    int fitHeight = boxHeight;
    if (std::int64_t{width} * boxHeight <= std::int64_t{height} * boxWidth) {
        fitWidth = std::max(1, static_cast<int>(std::int64_t{width} * boxHeight / height));
    } else {
        fitHeight = std::max(1, static_cast<int>(std::int64_t{height} * boxWidth / width));
    }
    for (const int d : {8, 4, 2}) {
        if (reduced(width, d) >= fitWidth && reduced(height, d) >= fitHeight) {
            return d;
        }
    }
    return 1;
}

DecodedJpeg JpegPreviewDecoder::decodeForBox(std::span<const std::uint8_t> data, int boxWidth,
                                             int boxHeight) {
    return decode(data, Request{boxWidth, boxHeight, 0});
}

DecodedJpeg JpegPreviewDecoder::decodeAtScale(std::span<const std::uint8_t> data, int scaleDenom) {
    const bool known = scaleDenom == 1 || scaleDenom == 2 || scaleDenom == 4 || scaleDenom == 8;
    return decode(data, Request{0, 0, known ? scaleDenom : 1});
}

const char* JpegPreviewDecoder::read(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return kUnreadable;
    }
    const std::streamoff size = file.tellg();
    if (size < 0) {
        return kUnreadable;
    }
    if (size > kMostFileBytes) {
        return kTooLarge;
    }
    try {
        file_.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return kTooLarge;
    }
    file.seekg(0);
    return file.read(reinterpret_cast<char*>(file_.data()), size) ? nullptr : kUnreadable;
}

void JpegPreviewDecoder::trim() {
    if (file_.capacity() > kKeptBytes) {
        file_ = {};
    }
}

DecodedJpeg JpegPreviewDecoder::decodeFile(const std::string& path, int boxWidth, int boxHeight) {
    DecodedJpeg result;
    if (const char* failure = read(path)) {
        result.message = failure;
    } else {
        result = decodeForBox(file_, boxWidth, boxHeight);
    }
    trim();
    return result;
}

DecodedJpeg JpegPreviewDecoder::decodeFileAtScale(const std::string& path, int scaleDenom) {
    DecodedJpeg result;
    if (const char* failure = read(path)) {
        result.message = failure;
    } else {
        result = decodeAtScale(file_, scaleDenom);
    }
    trim();
    return result;
}

} // namespace domora
