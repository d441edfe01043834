#include "ui/timeservices/WorldMapPicture.h"

#include "ui/app/Resources.h"

#include <QImageReader>

namespace domora {

QImage WorldMapImage() {
    RegisterResources();
    QImageReader reader(QStringLiteral(":/pictures/world-map.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

QImage ReplaceOcean(const QImage& map, const QColor& colour) {
    QImage result = map.convertToFormat(colour.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    const QRgb replacement = colour.rgba();
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == kOceanColour) {
                line[x] = replacement;
            }
        }
    }
    return result;
}

} // namespace domora
