#include "platform/modules/picture_codecs.h"

namespace {
class LinkedCodecs final : public PictureCodecs {
public:
    std::optional<QImage> ReadGif(const QByteArray& bytes) const override
    {
        return ReadGifPicture(bytes);
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
