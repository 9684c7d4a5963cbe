// Writes the language-dependent bitmaps delivered beside the program:
//   make_langimages DIR   →   DIR/speicher.cc1, speicher_eng.cc1, speicher_spa.cc1,
//   speicher_pl.cc1: the heading of the memory registers, 120 × 20; DIR/DE.cc1, ENG.cc1, PL.cc1,
//   SPA.cc1: the flag of img_sprache, 20 × 18. All are plain Windows bitmaps, each written a
//   second time at twice the size as name@2x.cc1 for screens with two or more device pixels to
//   the pixel.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <functional>

namespace {
const QColor kFace(0xEE, 0xF1, 0xF0);
const QColor kBar(0x3d, 0x63, 0x5d);

// A picture drawn with `ratio` device pixels to the pixel.
using Picture = std::function<QImage(qreal ratio)>;

QImage canvas(QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(kFace);
    return image;
}

Picture memoryHeading(const QString& word)
{
    return [=](qreal ratio) {
        QImage image = canvas({120, 20}, ratio);
        QPainter p(&image);
        p.setPen(kBar);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(12);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(0, 0, 120, 20), Qt::AlignCenter, word);
        return image;
    };
}

// A flag of 16 × 10 on the face of the title-bar buttons.
Picture flag(const std::function<void(QPainter&, QRect)>& draw)
{
    return [=](qreal ratio) {
        QImage image = canvas({20, 18}, ratio);
        QPainter p(&image);
        const QRect field(2, 4, 16, 10);
        draw(p, field);
        p.setPen(QColor(0x60, 0x60, 0x60));
        p.drawRect(field.adjusted(-1, -1, 0, 0));
        return image;
    };
}

void stripes(QPainter& p, QRect r, std::initializer_list<QColor> colours)
{
    const int n = int(colours.size());
    int i = 0;
    for (const QColor& c : colours) {
        const int top = r.top() + r.height() * i / n;
        const int bottom = r.top() + r.height() * (i + 1) / n;
        p.fillRect(QRect(r.left(), top, r.width(), bottom - top), c);
        ++i;
    }
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make_langimages DIR\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // text needs the font database
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const QColor red(0xD0, 0x10, 0x20), gold(0xFF, 0xCE, 0x00), blue(0x01, 0x21, 0x69);
    const struct {
        const char* name;
        Picture draw;
    } files[] = {
        {"speicher.cc1", memoryHeading(QStringLiteral("Speicher"))},
        {"speicher_eng.cc1", memoryHeading(QStringLiteral("Memory"))},
        {"speicher_spa.cc1", memoryHeading(QStringLiteral("Memoria"))},
        {"speicher_pl.cc1", memoryHeading(QStringLiteral("Pamięć"))},
        {"DE.cc1", flag([&](QPainter& p, QRect r) {
             stripes(p, r, {Qt::black, red, gold});
         })},
        {"PL.cc1", flag([&](QPainter& p, QRect r) {
             stripes(p, r, {Qt::white, red});
         })},
        {"SPA.cc1", flag([&](QPainter& p, QRect r) {
             p.fillRect(r, gold);
             p.fillRect(QRect(r.left(), r.top(), r.width(), 3), red);
             p.fillRect(QRect(r.left(), r.bottom() - 2, r.width(), 3), red);
         })},
        {"ENG.cc1", flag([&](QPainter& p, QRect r) {
             p.fillRect(r, blue);
             p.setPen(QPen(Qt::white, 3));
             p.drawLine(r.topLeft(), r.bottomRight());
             p.drawLine(r.bottomLeft(), r.topRight());
             p.fillRect(QRect(r.left(), r.center().y() - 2, r.width(), 4), Qt::white);
             p.fillRect(QRect(r.center().x() - 2, r.top(), 4, r.height()), Qt::white);
             p.fillRect(QRect(r.left(), r.center().y() - 1, r.width(), 2), red);
             p.fillRect(QRect(r.center().x() - 1, r.top(), 2, r.height()), red);
         })},
    };
    for (const auto& file : files) {
        const QString name = QString::fromLatin1(file.name);
        for (const int ratio : {1, 2}) {
            const QString path =
                dir + u'/' +
                (ratio == 1 ? name : name.chopped(4) + QStringLiteral("@2x") + name.right(4));
            if (!file.draw(ratio).save(path, "BMP")) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    return 0;
}
