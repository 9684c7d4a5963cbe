// The GIF reader of the formula drawings and the banners, on giflib. It lives in the picture
// codecs' library: the program takes it from a module with the first picture.
#include "platform/modules/picture_codecs.h"

#include <gif_lib.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kLargestSide = 2048;

struct ByteSource {
    const QByteArray& bytes;
    qsizetype pos = 0;
};

int readBytes(GifFileType* gif, GifByteType* into, int wanted)
{
    auto* source = static_cast<ByteSource*>(gif->UserData);
    if (wanted <= 0)
        return 0;
    const qsizetype n = std::min<qsizetype>(wanted, source->bytes.size() - source->pos);
    std::memcpy(into, source->bytes.constData() + source->pos, size_t(n));
    source->pos += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

bool skipExtension(GifFileType* gif, int& transparent)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) != GIF_OK)
        return false;
    // Graphics control: flags, delay (2 bytes), transparent index.
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1))
        transparent = block[4];
    while (block)
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
            return false;
    return true;
}

std::optional<QImage> readImage(GifFileType* gif, int transparent)
{
    if (DGifGetImageDesc(gif) != GIF_OK)
        return std::nullopt;
    const GifImageDesc& desc = gif->Image;
    const ColorMapObject* colours = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!colours || desc.Width <= 0 || desc.Height <= 0 || desc.Width > kLargestSide ||
        desc.Height > kLargestSide)
        return std::nullopt;

    QImage image(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    std::vector<GifPixelType> line(size_t(desc.Width));
    const auto putRow = [&](int row) {
        if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK)
            return false;
        const int y = desc.Top + row;
        if (y < 0 || y >= image.height())
            return true;
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int i = 0; i < desc.Width; ++i) {
            const int x = desc.Left + i;
            const int index = line[size_t(i)];
            if (x < 0 || x >= image.width() || index == transparent || index >= colours->ColorCount)
                continue;
            const GifColorType& c = colours->Colors[index];
            pixels[x] = qRgb(c.Red, c.Green, c.Blue);
        }
        return true;
    };
    if (desc.Interlace) {
        constexpr int start[] = {0, 4, 2, 1};
        constexpr int step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = start[pass]; row < desc.Height; row += step[pass])
                if (!putRow(row))
                    return std::nullopt;
    } else {
        for (int row = 0; row < desc.Height; ++row)
            if (!putRow(row))
                return std::nullopt;
    }
    return image;
}

} // namespace

std::optional<QImage> ReadGifPicture(const QByteArray& bytes)
{
    ByteSource source{bytes};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readBytes, &error));
    if (!gif || gif->SWidth <= 0 || gif->SHeight <= 0 || gif->SWidth > kLargestSide ||
        gif->SHeight > kLargestSide)
        return std::nullopt;
    int transparent = -1;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    while (DGifGetRecordType(gif.get(), &type) == GIF_OK) {
        switch (type) {
        case IMAGE_DESC_RECORD_TYPE:
            return readImage(gif.get(), transparent);
        case EXTENSION_RECORD_TYPE:
            if (!skipExtension(gif.get(), transparent))
                return std::nullopt;
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}
