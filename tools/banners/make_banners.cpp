// Draws the delivered banners and writes them as banner files, one of each picture kind for
// German, English and Polish, each language in its own words:
//   make_banners DIR   →   DIR/banner1.cc1 (bitmap), DIR/banner2.cc5 (JPEG), DIR/banner3.cc6
//   (GIF) for German; banner_en1.cc1 … banner_en3.cc6 for English; banner_pl1.cc1 …
//   banner_pl3.cc6 for Polish. Each is written a second time at twice the size, as
//   banner1@2x.cc1 … beside it, for screens with two or more device pixels to the pixel.
// Each file starts with its language letters ("d", "e", "p") and its link without scheme, each
// after a length byte; the picture follows up to the end of the file. Listed by name, a
// language's three banners follow one another.
#include "gif_writer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

constexpr int kWidth = 367;
constexpr int kHeight = 62;

// A banner drawn with `ratio` device pixels to the pixel.
QImage drawBanner(const QColor& from, const QColor& to, const QString& title, const QString& line,
                  int ratio)
{
    QImage image(kWidth * ratio, kHeight * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter p(&image);
    QLinearGradient ground(0, 0, kWidth, 0);
    ground.setColorAt(0, from);
    ground.setColorAt(1, to);
    p.fillRect(QRect(0, 0, kWidth, kHeight), ground);
    p.setPen(Qt::white);
    QFont big(QStringLiteral("DejaVu Sans"), 15, QFont::Bold);
    big.setPixelSize(20);
    p.setFont(big);
    p.drawText(QRect(12, 6, kWidth - 24, 26), Qt::AlignLeft | Qt::AlignVCenter, title);
    QFont small = big;
    small.setPixelSize(12);
    small.setBold(false);
    p.setFont(small);
    p.drawText(QRect(12, 34, kWidth - 24, 20), Qt::AlignLeft | Qt::AlignVCenter, line);
    p.end();
    return image;
}

QByteArray header(const QByteArray& languages, const QByteArray& link)
{
    QByteArray bytes;
    bytes.append(char(languages.size())).append(languages);
    bytes.append(char(link.size())).append(link);
    return bytes;
}

QByteArray bitmap(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

QByteArray jpeg(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPROW>(image.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

QByteArray gif(const QImage& image, const QColor& from, const QColor& to)
{
    QList<QRgb> palette;
    for (int i = 0; i < 254; ++i) {
        const double t = i / 253.0;
        palette.append(qRgb(int(from.red() + (to.red() - from.red()) * t),
                            int(from.green() + (to.green() - from.green()) * t),
                            int(from.blue() + (to.blue() - from.blue()) * t)));
    }
    palette.append(qRgb(255, 255, 255));
    palette.append(qRgb(0, 0, 0));
    return WriteGif(image, palette);
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_banners DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    const QColor blue(0x1F, 0x4E, 0x8C), teal(0x2A, 0x8C, 0x82), red(0x9C, 0x2A, 0x2A),
        orange(0xD0, 0x7A, 0x2A), green(0x2E, 0x6B, 0x30), olive(0x8A, 0x9A, 0x3A);
    // Title and line of the three banners in each language.
    const struct {
        const char* suffix; // after "banner" in the file name
        QByteArray letters;
        const char* texts[6];
    } languages[] = {
        {"",
         "d",
         {"Quorvanta", "Der kostenlose Rechner für die Haustechnik", "Rohrauslegung",
          "Volumenstrom, Druckverlust und Nennweite", "Aktuelle Wechselkurse",
          "49 Währungen, aktualisiert beim Start"}},
        {"_en",
         "e",
         {"Quorvanta", "The free calculator for building services", "Pipe sizing",
          "Volume flow, pressure loss and nominal size", "Current exchange rates",
          "49 currencies, updated at start-up"}},
        {"_pl",
         "p",
         {"Quorvanta", "Bezpłatny kalkulator dla instalatorów", "Dobór średnic",
          "Strumień objętości, spadek ciśnienia i średnica", "Aktualne kursy walut",
          "49 walut, aktualizowanych przy starcie"}},
    };
    bool ok = true;
    for (const auto& language : languages) {
        const auto text = [&](int i) { return QString::fromUtf8(language.texts[i]); };
        for (const int ratio : {1, 2}) {
            const auto name = [&](int i, const char* suffix) {
                return dir.filePath(QStringLiteral("banner%1%2%3.%4")
                                        .arg(QLatin1String(language.suffix))
                                        .arg(i)
                                        .arg(ratio == 1 ? QString() : QStringLiteral("@2x"))
                                        .arg(QLatin1String(suffix)));
            };
            const QImage first = drawBanner(blue, teal, text(0), text(1), ratio);
            const QImage second = drawBanner(red, orange, text(2), text(3), ratio);
            const QImage third = drawBanner(green, olive, text(4), text(5), ratio);
            ok = ok &&
                 write(name(1, "cc1"),
                       header(language.letters, "www.quorvanta.example") + bitmap(first)) &&
                 write(name(2, "cc5"),
                       header(language.letters, "www.quorvanta.example/rohrauslegung") +
                           jpeg(second)) &&
                 write(name(3, "cc6"), header(language.letters, "www.quorvanta.example/kurse") +
                                           gif(third, green, olive));
        }
    }
    if (!ok) {
        std::fprintf(stderr, "make_banners: cannot write the banners into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
