// The module quorvanta_pictures: the picture codecs with giflib and libjpeg, loaded with the
// program's first GIF or JPEG picture.
#include "shell/picture_codecs.h"

#include <QtGlobal>

namespace {
class ModuleCodecs final : public PictureCodecs {
public:
    std::optional<QImage> ReadGif(const QByteArray& bytes) const override
    {
        return LinkedPictureCodecs().ReadGif(bytes);
    }
    std::optional<QImage> ReadJpeg(const QByteArray& bytes) const override
    {
        return LinkedPictureCodecs().ReadJpeg(bytes);
    }
};
} // namespace

extern "C" Q_DECL_EXPORT PictureCodecs* QuorvantaMakePictureCodecs()
{
    return new ModuleCodecs;
}
