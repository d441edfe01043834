#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace domora {

class JpegPreviewDecoder;

// A picture file made small for the picture dialog's preview pane: the picture fitted into
// the pane, keeping its proportions (a smaller one is not enlarged), and the line under it,
// the picture's size in pixels ("1920 x 1080") or why it cannot be shown. JPEG files go
// through the reduced-size decoder, the others (BMP, GIF) through Qt's image reader.
struct PicturePreview {
    QImage image; // null when the file cannot be shown
    QString text;

    // The preview of the file at `path` for a pane of `box` pixels; JPEG files go through
    // `jpegs`.
    static PicturePreview of(const QString& path, QSize box, JpegPreviewDecoder& jpegs);

    // "1920 x 1080"
    static QString sizeText(QSize size);

    static constexpr char kNotPicture[] = "Файл повреждён или не является рисунком.";
};

} // namespace domora
