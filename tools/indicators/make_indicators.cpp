// Writes the angle-mode indicator bitmaps delivered beside the program:
//   make_indicators DIR   →   DIR/on1.cc1 (a lit green lamp), DIR/off1.cc1 (an unlit one)
// Both are plain Windows bitmaps, 14 × 14 pixels.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>

#include <cstdio>

namespace {
QImage lamp(QColor centre, QColor rim)
{
    QImage image(14, 14, QImage::Format_RGB32);
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
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make_indicators DIR\n", stderr);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const bool ok = lamp(QColor(0x2E, 0xC4, 0x3A), QColor(0x0B, 0x5E, 0x14))
                        .save(dir + QStringLiteral("/on1.cc1"), "BMP") &&
                    lamp(QColor(0xB8, 0xBE, 0xBC), QColor(0x6A, 0x70, 0x6E))
                        .save(dir + QStringLiteral("/off1.cc1"), "BMP");
    if (!ok) {
        std::fprintf(stderr, "cannot write the indicators into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
