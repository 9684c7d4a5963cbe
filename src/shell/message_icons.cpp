#include "message_icons.h"

#include "calculator/image_button.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

void drawSign(QPainter& p, const QRectF& box, const QString& sign, const QColor& colour)
{
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(int(box.height() * 0.72));
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, sign);
}

void drawDisc(QPainter& p, double size, const QColor& fill)
{
    const QRectF disc(1, 1, size - 2, size - 2);
    QRadialGradient shade(disc.center() - QPointF(size / 6, size / 6), size * 0.7);
    shade.setColorAt(0, fill.lighter(135));
    shade.setColorAt(1, fill);
    p.setPen(QPen(fill.darker(150), 1));
    p.setBrush(shade);
    p.drawEllipse(disc);
}

} // namespace

QImage DrawMessageIcon(MessageIcon icon, int size)
{
    QImage image = PictureCanvas({size, size});
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double s = size;
    const QRectF whole(0, 0, s, s);
    switch (icon) {
    case MessageIcon::Meldung:
        drawDisc(p, s, QColor(0x1E, 0x63, 0xB4));
        drawSign(p, whole, QStringLiteral("i"), Qt::white);
        break;
    case MessageIcon::Abfrage:
        drawDisc(p, s, QColor(0x1E, 0x63, 0xB4));
        drawSign(p, whole, QStringLiteral("?"), Qt::white);
        break;
    case MessageIcon::Fehler: {
        drawDisc(p, s, QColor(0xC6, 0x28, 0x28));
        p.setPen(QPen(Qt::white, s / 9, Qt::SolidLine, Qt::RoundCap));
        const double a = s * 0.32, b = s * 0.68;
        p.drawLine(QPointF(a, a), QPointF(b, b));
        p.drawLine(QPointF(a, b), QPointF(b, a));
        break;
    }
    case MessageIcon::Problem: {
        QPainterPath triangle;
        triangle.moveTo(s / 2, 1.5);
        triangle.lineTo(s - 1.5, s - 2);
        triangle.lineTo(1.5, s - 2);
        triangle.closeSubpath();
        p.setPen(QPen(QColor(0x8A, 0x6D, 0x00), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xFF, 0xD0, 0x2A));
        p.drawPath(triangle);
        drawSign(p, QRectF(0, s * 0.22, s, s * 0.78), QStringLiteral("!"), Qt::black);
        break;
    }
    }
    return image;
}
