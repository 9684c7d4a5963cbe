// Writes the small bitmaps delivered beside the program:
//   make_indicators DIR   →   DIR/on1.cc1, DIR/off1.cc1: the angle-mode lamps, 14 × 14;
//   DIR/full.cc1, on.cc1, off.cc1, tellafriend.cc1: the title-bar buttons (backdrop, minimise,
//   hide, recommend), 20 × 18; DIR/logo.cc1, 18 × 18; DIR/background.cc1, the backdrop.
// All are plain Windows bitmaps. Each but the backdrop (a gradient stretched over the whole
// screen) is drawn a second time at twice the size, as name@2x.cc1, for screens with two or
// more device pixels to the pixel.
#include "calculator/indicator_lamp.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {
const QColor kBar(0x3d, 0x63, 0x5d);
const QColor kFace(0xEE, 0xF1, 0xF0);

// A picture drawn with `ratio` device pixels to the pixel.
using Picture = std::function<QImage(qreal ratio)>;

// A title-bar button: the light face of the image buttons with a dark symbol.
Picture titleButton(const std::function<void(QPainter&)>& symbol, QSize size = {20, 18})
{
    return [=](qreal ratio) {
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(kFace);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kBar, 2));
        symbol(p);
        return image;
    };
}

QImage backdrop(qreal)
{
    QImage image(640, 400, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(0x24, 0x3f, 0x3b));
    sky.setColorAt(1, QColor(0x97, 0xA4, 0xA1));
    p.fillRect(image.rect(), sky);
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
    const struct {
        const char* name;
        Picture draw;
        bool sharp = true; // also written as name@2x
    } files[] = {
        {"on1.cc1", [](qreal ratio) { return DrawIndicatorLamp(true, ratio); }},
        {"off1.cc1", [](qreal ratio) { return DrawIndicatorLamp(false, ratio); }},
        {"full.cc1", titleButton([](QPainter& p) { p.drawRect(QRectF(4.5, 3.5, 11, 11)); })},
        {"on.cc1", titleButton([](QPainter& p) { p.drawLine(5, 13, 15, 13); })},
        {"off.cc1", titleButton([](QPainter& p) {
             p.drawLine(6, 4, 14, 13);
             p.drawLine(14, 4, 6, 13);
         })},
        {"tellafriend.cc1", titleButton([](QPainter& p) {
             p.drawRect(QRectF(3.5, 4.5, 13, 9)); // an envelope
             p.drawPolyline(QPolygonF({{3.5, 4.5}, {10, 10}, {16.5, 4.5}}));
         })},
        {"logo.cc1", titleButton(
                         [](QPainter& p) {
                             p.drawEllipse(QRectF(3.5, 3.5, 10, 10));
                             p.drawLine(10, 10, 15, 15);
                         },
                         {18, 18})},
        {"background.cc1", backdrop, false},
    };
    for (const auto& f : files) {
        const QString name = QLatin1String(f.name);
        for (const int ratio : {1, 2}) {
            if (ratio == 2 && !f.sharp)
                continue;
            const QString file =
                ratio == 1 ? name : name.chopped(4) + QStringLiteral("@2x") + name.right(4);
            if (!f.draw(ratio).save(dir + u'/' + file, "BMP")) {
                std::fprintf(stderr, "cannot write %s into %s\n", qPrintable(file), argv[1]);
                return 1;
            }
        }
    }
    return 0;
}
