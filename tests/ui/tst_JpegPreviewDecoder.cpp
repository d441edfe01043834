// The JPEG preview decoder on pictures made here with libjpeg's compressor: the reduction it
// picks for the box, the colours of grayscale, RGB and CMYK files, and damaged files.

#include "ui/service/JpegPreviewDecoder.h"

#include <QtTest>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

using domora::DecodedJpeg;
using domora::JpegPreviewDecoder;

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Kind { Rgb, Gray, CmykAdobe, CmykPlain, YcckAdobe };

struct Picture {
    int width = 64;
    int height = 48;
    Kind kind = Kind::Rgb;
    bool noise = false; // photo-like content instead of one flat colour
    bool progressive = false;
};

// The flat colour of each kind, as stored: RGB (200, 100, 50), gray 90, and the inks C 0,
// M 128, Y 255, K 51, which Adobe's files store inverted.
Bytes sample(Kind kind) {
    switch (kind) {
    case Kind::Rgb:
        return {200, 100, 50};
    case Kind::Gray:
        return {90};
    case Kind::CmykPlain:
        return {0, 128, 255, 51};
    case Kind::CmykAdobe:
    case Kind::YcckAdobe:
        return {255, 127, 0, 204};
    }
    return {};
}

Bytes encode(const Picture& picture) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    const Bytes colour = sample(picture.kind);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = static_cast<int>(colour.size());
    cinfo.in_color_space = colour.size() == 1 ? JCS_GRAYSCALE : colour.size() == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    if (picture.kind == Kind::YcckAdobe) {
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    }
    cinfo.write_Adobe_marker = picture.kind == Kind::CmykAdobe || picture.kind == Kind::YcckAdobe;
    jpeg_set_quality(&cinfo, 90, TRUE);
    if (picture.progressive) {
        jpeg_simple_progression(&cinfo);
    }
    jpeg_start_compress(&cinfo, TRUE);
    Bytes row(colour.size() * static_cast<std::size_t>(picture.width));
    std::uint32_t seed = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            seed = seed * 1103515245u + 12345u;
            row[i] = picture.noise ? static_cast<std::uint8_t>(i / 8 + (seed >> 24) / 4)
                                   : colour[i % colour.size()];
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// The first byte of the frame header's height (SOF0 or SOF2: FF C0 / FF C2, length, precision).
std::size_t frameSizeAt(const Bytes& jpeg) {
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            return i + 5;
        }
    }
    return 0;
}

} // namespace

class TestJpegPreviewDecoder : public QObject {
    Q_OBJECT

private slots:
    // The largest reduction whose output still holds the picture fitted into the box.
    void reductionForBox_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("24 megapixels") << 6000 << 4000 << QSize(160, 120) << 8 << QSize(750, 500);
        QTest::newRow("exactly 8 times") << 1280 << 960 << QSize(160, 120) << 8 << QSize(160, 120);
        QTest::newRow("a pixel short") << 1272 << 954 << QSize(160, 120) << 4 << QSize(318, 239);
        QTest::newRow("full") << 300 << 225 << QSize(160, 120) << 1 << QSize(300, 225);
        QTest::newRow("wide") << 4000 << 400 << QSize(160, 120) << 8 << QSize(500, 50);
        QTest::newRow("large box") << 1920 << 1080 << QSize(800, 600) << 2 << QSize(960, 540);
    }
    void reductionForBox() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QSize, box);
        QFETCH(int, scale);
        QFETCH(QSize, decoded);
        QCOMPARE(JpegPreviewDecoder::previewScale(width, height, box.width(), box.height()), scale);
        const DecodedJpeg result =
            JpegPreviewDecoder::decodeForBox(encode({width, height}), box.width(), box.height());
        QCOMPARE(QString::fromStdString(result.message), QString());
        QCOMPARE(result.scaleDenom, scale);
        QCOMPARE(QSize(result.width, result.height), decoded);
        QCOMPARE(QSize(result.sourceWidth, result.sourceHeight), QSize(width, height));
        QCOMPARE(result.rgb.size(), std::size_t(decoded.width() * decoded.height() * 3));
    }

    // Every kind of input comes out as RGB of the colour it holds (JPEG loses a little).
    void colours_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("progressive");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("YCbCr") << int(Kind::Rgb) << false << QColor(200, 100, 50);
        QTest::newRow("grayscale") << int(Kind::Gray) << false << QColor(90, 90, 90);
        QTest::newRow("CMYK, Adobe inverted") << int(Kind::CmykAdobe) << false << QColor(204, 102, 0);
        QTest::newRow("CMYK") << int(Kind::CmykPlain) << false << QColor(204, 102, 0);
        QTest::newRow("YCCK, Adobe inverted") << int(Kind::YcckAdobe) << false << QColor(204, 102, 0);
    }
    void colours() {
        QFETCH(int, kind);
        QFETCH(bool, progressive);
        QFETCH(QColor, expected);
        const DecodedJpeg result =
            JpegPreviewDecoder::decodeForBox(encode({320, 240, Kind(kind), false, progressive}), 160, 120);
        QCOMPARE(QString::fromStdString(result.message), QString());
        QCOMPARE(QSize(result.width, result.height), QSize(160, 120));
        const std::size_t middle = (std::size_t(60) * 160 + 80) * 3;
        const int rgb[] = {expected.red(), expected.green(), expected.blue()};
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(std::abs(result.rgb[middle + i] - rgb[i]) <= 4,
                     qPrintable(QStringLiteral("channel %1: %2").arg(i).arg(result.rgb[middle + i])));
        }
    }

    // A file that cannot be shown whole gives no picture and says why.
    void damaged_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const Bytes photo = encode({320, 240, Kind::Rgb, true});
        const Bytes progressive = encode({320, 240, Kind::Rgb, true, true});
        const auto bytes = [](const Bytes& from, std::size_t size) {
            return QByteArray(reinterpret_cast<const char*>(from.data()), qsizetype(size));
        };
        const QString damaged = QString::fromUtf8(JpegPreviewDecoder::kDamaged);
        QTest::newRow("empty") << QByteArray() << damaged;
        QTest::newRow("garbage") << QByteArray(3000, '\x5a') << damaged;
        QTest::newRow("cut in the picture") << bytes(photo, photo.size() / 2) << damaged;
        QTest::newRow("end marker missing") << bytes(photo, photo.size() - 2) << damaged;
        QTest::newRow("progressive cut") << bytes(progressive, progressive.size() * 2 / 3) << damaged;
        QByteArray zeroWidth = bytes(photo, photo.size());
        zeroWidth[qsizetype(frameSizeAt(photo) + 2)] = 0;
        zeroWidth[qsizetype(frameSizeAt(photo) + 3)] = 0;
        QTest::newRow("zero width") << zeroWidth << damaged;
        QByteArray huge = bytes(photo, photo.size());
        for (int i = 0; i < 4; ++i) {
            huge[qsizetype(frameSizeAt(photo)) + i] = char(i % 2 == 0 ? 0xFF : 0x00); // 65280 x 65280
        }
        QTest::newRow("absurd size") << huge << QString::fromUtf8(JpegPreviewDecoder::kTooLarge);
    }
    void damaged() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        const Bytes data(file.begin(), file.end());
        const DecodedJpeg result = JpegPreviewDecoder::decodeForBox(data, 160, 120);
        QVERIFY(result.empty());
        QCOMPARE(QSize(result.width, result.height), QSize(0, 0));
        QCOMPARE(QString::fromStdString(result.message), message);
    }

    void missingFile() {
        const DecodedJpeg result = JpegPreviewDecoder().decodeFile("/nonexistent/обои.jpg", 160, 120);
        QVERIFY(result.empty());
        QCOMPARE(QString::fromStdString(result.message), QString::fromUtf8(JpegPreviewDecoder::kUnreadable));
    }
};

QTEST_MAIN(TestJpegPreviewDecoder)
#include "tst_JpegPreviewDecoder.moc"
