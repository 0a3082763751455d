#include "shell/programicon.h"

#include <QPainter>
#include <QPainterPath>

namespace orv {

QPixmap ProgramPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    const QColor blue(0x33, 0x4D, 0x73), teal(0x33, 0x73, 0x73);
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(10, 14, 44, 40), 4, 4);
    p.setBrush(teal);
    p.drawRoundedRect(QRectF(10, 14, 44, 10), 4, 4);
    p.setPen(QPen(blue, 1.5));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(18, 8, 5, 12), 2, 2);
    p.drawRoundedRect(QRectF(41, 8, 5, 12), 2, 2);
    // A crescent: the moon of the tray icon.
    QPainterPath moon;
    moon.addEllipse(QPointF(40, 40), 9, 9);
    QPainterPath bite;
    bite.addEllipse(QPointF(44, 37), 8, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xF2, 0xD1, 0x6B));
    p.drawPath(moon.subtracted(bite));
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(16, 30, 14, 3), 1.5, 1.5);
    p.drawRoundedRect(QRectF(16, 37, 10, 3), 1.5, 1.5);
    p.drawRoundedRect(QRectF(16, 44, 14, 3), 1.5, 1.5);
    return pixmap;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128}) icon.addPixmap(ProgramPixmap(size));
    return icon;
}

}  // namespace orv
