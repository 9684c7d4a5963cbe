#include "picture_codecs.h"

#include "formulas/formula_drawing.h"

namespace {
class LinkedCodecs final : public PictureCodecs {
public:
    std::optional<QImage> ReadGif(const QByteArray& bytes) const override
    {
        return FormulaDrawing::ReadGif(bytes);
    }
    std::optional<QImage> ReadJpeg(const QByteArray& bytes) const override
    {
        return ReadJpegPicture(bytes);
    }
};
} // namespace

const PictureCodecs& LinkedPictureCodecs()
{
    static const LinkedCodecs codecs;
    return codecs;
}

PictureCodecs* NewLinkedPictureCodecs()
{
    return new LinkedCodecs;
}
