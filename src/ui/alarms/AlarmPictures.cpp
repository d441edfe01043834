#include "ui/alarms/AlarmPictures.h"

#include "ui/app/EditorPictures.h"

#include <QPainter>

namespace domora {

namespace {

// A round clock face with two bells, hands at ten past ten.
void drawClock(QPainter& painter) {
    painter.setPen(QPen(QColor(60, 60, 60), 2));
    painter.setBrush(QColor(200, 40, 40));
    painter.drawEllipse(QRectF(4, 2, 13, 13));
    painter.drawEllipse(QRectF(27, 2, 13, 13));
    painter.drawLine(QPointF(10, 40), QPointF(7, 45));
    painter.drawLine(QPointF(34, 40), QPointF(37, 45));
    painter.setBrush(QColor(250, 250, 240));
    painter.setPen(QPen(QColor(160, 30, 30), 3));
    painter.drawEllipse(QRectF(5, 6, 34, 34));
    painter.setPen(QPen(QColor(40, 40, 40), 2, Qt::SolidLine, Qt::RoundCap));
    const QPointF centre(22, 23);
    painter.drawLine(centre, QPointF(15, 18));
    painter.drawLine(centre, QPointF(30, 16));
}

} // namespace

QPixmap EditorPicture(int index) {
    return BadgedPicture(drawClock, index);
}

QIcon ToggleGlyph(int index) {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    if (index == 0) {
        // A keyboard.
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.setBrush(QColor(235, 235, 235));
        painter.drawRoundedRect(QRectF(0.5, 3.5, 15, 10), 1.5, 1.5);
        painter.setBrush(QColor(90, 90, 90));
        painter.setPen(Qt::NoPen);
        for (int row = 0; row < 2; ++row) {
            for (int key = 0; key < 5; ++key) {
                painter.drawRect(QRectF(2 + key * 2.6, 5.5 + row * 2.6, 1.6, 1.6));
            }
        }
        painter.drawRect(QRectF(4, 10.8, 8, 1.4));
    } else {
        // A sheet with lines of text.
        painter.setPen(QPen(QColor(60, 60, 60), 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(2.5, 0.5, 11, 15));
        painter.setPen(QPen(QColor(40, 90, 180), 1));
        for (int line = 0; line < 4; ++line) {
            painter.drawLine(QPointF(4.5, 4 + line * 3), QPointF(11.5, 4 + line * 3));
        }
    }
    return QIcon(glyph);
}

} // namespace domora
