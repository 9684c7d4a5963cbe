#include "gif_writer.h"

#include <gif_lib.h>

#include <vector>

namespace {

int appendBytes(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

} // namespace

QByteArray WriteGif(const QImage& picture, const QList<QRgb>& palette)
{
    if (picture.isNull() || palette.isEmpty() || palette.size() > 256)
        return {};
    const QImage indexed = picture.convertToFormat(QImage::Format_Indexed8, palette,
                                                   Qt::ThresholdDither | Qt::AvoidDither);
    // A GIF colour table has a power of two entries.
    int size = 2;
    while (size < palette.size())
        size *= 2;
    std::vector<GifColorType> colours(size_t(size), GifColorType{0, 0, 0});
    for (int i = 0; i < palette.size(); ++i)
        colours[size_t(i)] =
            GifColorType{GifByteType(qRed(palette[i])), GifByteType(qGreen(palette[i])),
                         GifByteType(qBlue(palette[i]))};

    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendBytes, &error);
    if (!gif)
        return {};
    ColorMapObject* map = GifMakeMapObject(size, colours.data());
    bool ok =
        map && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK &&
        EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    std::vector<GifPixelType> line(size_t(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        std::copy(row, row + indexed.width(), line.begin());
        ok = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok)
        return {};
    return bytes;
}
