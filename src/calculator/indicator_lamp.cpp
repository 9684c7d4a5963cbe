#include "indicator_lamp.h"

#include <QPainter>
#include <QRadialGradient>

QImage DrawIndicatorLamp(bool on, qreal ratio)
{
    const QColor centre = on ? QColor(0x2E, 0xC4, 0x3A) : QColor(0xB8, 0xBE, 0xBC);
    const QColor rim = on ? QColor(0x0B, 0x5E, 0x14) : QColor(0x6A, 0x70, 0x6E);
    QImage image(QSize(14, 14) * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(0xEE, 0xF1, 0xF0));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(5.5, 5.5), 7);
    glow.setColorAt(0, centre.lighter(150));
    glow.setColorAt(0.6, centre);
    glow.setColorAt(1, rim);
    p.setBrush(glow);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    return image;
}
