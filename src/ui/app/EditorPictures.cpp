#include "ui/app/EditorPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace domora {

namespace {

void drawBadge(QPainter& painter, int index) {
    const QRectF badge(28, 28, 19, 19);
    const QColor colours[] = {QColor(30, 140, 50), QColor(210, 140, 20), QColor(40, 90, 180)};
    painter.setPen(QPen(Qt::white, 1.5));
    painter.setBrush(colours[index]);
    painter.drawEllipse(badge);
    painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = badge.center();
    switch (index) {
    case 0: // plus
        painter.drawLine(QPointF(c.x() - 5, c.y()), QPointF(c.x() + 5, c.y()));
        painter.drawLine(QPointF(c.x(), c.y() - 5), QPointF(c.x(), c.y() + 5));
        break;
    case 1: // pencil
        painter.drawLine(QPointF(c.x() - 5, c.y() + 5), QPointF(c.x() + 4, c.y() - 4));
        painter.setPen(QPen(Qt::white, 1.5));
        painter.drawLine(QPointF(c.x() - 6, c.y() + 6), QPointF(c.x() - 3, c.y() + 6));
        break;
    default: { // eye
        QPainterPath eye;
        eye.moveTo(c.x() - 7, c.y());
        eye.quadTo(c.x(), c.y() - 7, c.x() + 7, c.y());
        eye.quadTo(c.x(), c.y() + 7, c.x() - 7, c.y());
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(eye);
        painter.setBrush(Qt::white);
        painter.drawEllipse(c, 2, 2);
        break;
    }
    }
}

} // namespace

QPixmap BadgedPicture(void (*draw)(QPainter&), int index) {
    QPixmap picture(48, 48);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    drawBadge(painter, index < 0 || index > 2 ? 2 : index);
    return picture;
}

} // namespace domora
