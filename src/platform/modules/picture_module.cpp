// The module quorvanta_pictures: the picture codecs with giflib and libjpeg, loaded with the
// program's first GIF or JPEG picture.
#include "platform/modules/picture_codecs.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT PictureCodecs* QuorvantaMakePictureCodecs()
{
    return NewLinkedPictureCodecs();
}
