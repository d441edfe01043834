#include "ui/timeservices/WorldMapView.h"

#include "ui/timeservices/WorldMapPicture.h"

#include <QMouseEvent>
#include <QPainter>

namespace domora {

WorldMapView::WorldMapView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Image1"));
}

void WorldMapView::setOpaque(bool opaque) {
    if (opaque_ != opaque) {
        opaque_ = opaque;
        update();
    }
}

// The ocean is made transparent before scaling, so that the coast blends with the page
// rather than leaving a blue seam of scaled ocean pixels.
void WorldMapView::paintEvent(QPaintEvent*) {
    if (scaled_.isNull() || scaledSize_ != size() || scaledOpaque_ != opaque_) {
        const QImage map = WorldMapImage();
        const QImage source = opaque_ ? map : ReplaceOcean(map, Qt::transparent);
        scaled_ = QPixmap::fromImage(source.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        scaledSize_ = size();
        scaledOpaque_ = opaque_;
    }
    QPainter(this).drawPixmap(0, 0, scaled_);
}

void WorldMapView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

} // namespace domora
