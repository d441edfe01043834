#include "ui/service/PicturePreview.h"

#include "ui/app/QtText.h"
#include "ui/service/JpegPreviewDecoder.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <cstring>

namespace domora {

namespace {

// The picture's size fitted into the box; a picture that fits already keeps its size.
QSize fitted(QSize picture, QSize box) {
    if (picture.width() <= box.width() && picture.height() <= box.height()) {
        return picture;
    }
    return picture.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

PicturePreview failure(const QString& text) {
    return PicturePreview{QImage(), text};
}

PicturePreview jpegPreview(const QString& path, QSize box, JpegPreviewDecoder& jpegs) {
    const DecodedJpeg decoded =
        jpegs.decodeFile(QFile::encodeName(path).toStdString(), box.width(), box.height());
    if (decoded.empty()) {
        return failure(qs(decoded.message));
    }
    QImage image(decoded.width, decoded.height, QImage::Format_RGB888);
    if (image.isNull()) {
        return failure(qs(JpegPreviewDecoder::kTooLarge));
    }
    const std::size_t rowBytes = static_cast<std::size_t>(decoded.width) * 3;
    for (int y = 0; y < decoded.height; ++y) {
        std::memcpy(image.scanLine(y), decoded.rgb.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    }
    const QSize source(decoded.sourceWidth, decoded.sourceHeight);
    return PicturePreview{image.scaled(fitted(source, box), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                          PicturePreview::sizeText(source)};
}

PicturePreview readerPreview(const QString& path, QSize box) {
    QImageReader reader(path);
    const QSize source = reader.size();
    if (!source.isValid() || source.isEmpty()) {
        return failure(QString::fromUtf8(PicturePreview::kNotPicture));
    }
    if (std::int64_t{source.width()} * source.height() > JpegPreviewDecoder::kMostPixels) {
        return failure(qs(JpegPreviewDecoder::kTooLarge));
    }
    reader.setScaledSize(fitted(source, box));
    const QImage image = reader.read();
    if (image.isNull()) {
        return failure(QString::fromUtf8(PicturePreview::kNotPicture));
    }
    return PicturePreview{image, PicturePreview::sizeText(source)};
}

} // namespace

PicturePreview PicturePreview::of(const QString& path, QSize box, JpegPreviewDecoder& jpegs) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        return jpegPreview(path, box, jpegs);
    }
    return readerPreview(path, box);
}

QString PicturePreview::sizeText(QSize size) {
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

} // namespace domora
