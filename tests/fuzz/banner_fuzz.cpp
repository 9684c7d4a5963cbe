// A banner file from any bytes: the header is read only when its lengths fit the file, the
// picture is the rest of it, and each decoder gives a picture of sensible size or nothing.
#include "fuzz_target.h"

#include "platform/modules/picture_codecs.h"
#include "shell/banner_rotation.h"
#include "shell/banner_view.h"

FUZZ_TARGET(banner)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto file = ParseBannerFile(bytes);
    if (!file)
        return 0;
    FUZZ_CHECK(2 + file->languages.size() + file->link.size() + file->picture.size() ==
                       bytes.size() &&
                   bytes.endsWith(file->picture),
               file->link);
    for (int language = 0; language <= 4; ++language)
        BannerFitsLanguage(file->languages, language);
    for (const auto kind :
         {BannerPictureKind::Bitmap, BannerPictureKind::Jpeg, BannerPictureKind::Gif}) {
        if (const auto picture = DecodeBannerPicture(kind, file->picture, &LinkedPictureCodecs())) {
            FUZZ_CHECK(!picture->isNull() && picture->width() <= 4096 && picture->height() <= 4096,
                       QStringLiteral("kind %1: %2x%3")
                           .arg(int(kind))
                           .arg(picture->width())
                           .arg(picture->height()));
        }
    }
    return 0;
}
