#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace domora {

// A JPEG picture decoded for a preview: RGB, three bytes a pixel, rows without padding.
// Empty (no pixels) with a Russian message when the file cannot be shown.
struct DecodedJpeg {
    int width = 0; // the decoded size, after the reduction
    int height = 0;
    int sourceWidth = 0; // the picture's own size, as the file gives it
    int sourceHeight = 0;
    int scaleDenom = 0; // the reduction decoded at: 1/1, 1/2, 1/4 or 1/8
    std::vector<std::uint8_t> rgb;
    std::string message; // UTF-8, empty on success

    bool empty() const { return rgb.empty(); }
};

// Decodes JPEG pictures for the picture dialog's preview through libjpeg's scaled DCT: the
// 8 x 8 blocks are transformed straight into 1, 2 or 4 pixels a side, so a large photo costs
// little more than reading its compressed data. Grayscale, RGB, YCbCr, CMYK and YCCK input
// (Adobe's inverted CMYK too) all come out as RGB. A damaged or truncated file, an empty one
// and one that claims an absurd size give an empty picture and a message, never a crash.
// No Qt here, so that the fuzz target and the benchmark take this file alone.
//
// A decoder reads each file whole into memory that it keeps for the next one (up to
// kKeptBytes): the dialog previews file after file, and memory touched for the first time
// costs more than decoding a photo's worth of compressed data.
class JpegPreviewDecoder {
public:
    // The largest picture decoded, in pixels, and the largest file read.
    static constexpr std::int64_t kMostPixels = 150'000'000;
    static constexpr std::int64_t kMostFileBytes = 256 * 1024 * 1024;
    static constexpr std::size_t kKeptBytes = 32 * 1024 * 1024;

    static constexpr char kDamaged[] = "Файл повреждён или не является рисунком JPEG.";
    static constexpr char kTooLarge[] = "Рисунок слишком велик для просмотра.";
    static constexpr char kUnreadable[] = "Не удалось прочитать файл.";

    // The largest reduction (8, 4, 2 or 1) whose output is still at least as large as the
    // picture fitted into the box, keeping its proportions; a picture smaller than the box is
    // not enlarged, so it decodes at 1/1.
    static int previewScale(int width, int height, int boxWidth, int boxHeight);

    // The picture reduced for a box of boxWidth x boxHeight pixels.
    static DecodedJpeg decodeForBox(std::span<const std::uint8_t> data, int boxWidth, int boxHeight);
    // The picture at a given reduction (1, 2, 4 or 8); 1 is the full picture.
    static DecodedJpeg decodeAtScale(std::span<const std::uint8_t> data, int scaleDenom);

    // The file read into memory, then decodeForBox or decodeAtScale.
    DecodedJpeg decodeFile(const std::string& path, int boxWidth, int boxHeight);
    DecodedJpeg decodeFileAtScale(const std::string& path, int scaleDenom);

private:
    // Reads the file into file_: nullptr, or the message of a failure.
    const char* read(const std::string& path);
    // file_ given up when it has grown past kKeptBytes.
    void trim();

    std::vector<std::uint8_t> file_;
};

} // namespace domora
