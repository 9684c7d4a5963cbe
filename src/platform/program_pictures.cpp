#include "platform/program_pictures.h"

#include "platform/modules/picture_codecs.h"
#include "platform/program_folder.h"
#include "platform/program_module.h"
#include "widgets/image_button.h"

#include <QImageReader>

const PictureCodecs* ProgramPictureCodecs()
{
    static const std::unique_ptr<PictureCodecs> codecs =
        MakeModuleObject<PictureCodecs>(kPictureModule, kMakePictureCodecs);
    return codecs.get();
}

namespace {
QImage readBitmap(const QString& programFile)
{
    QImageReader reader(ProgramFolder::FilePath(programFile), "BMP");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
} // namespace

QImage ReadBitmapPicture(const QString& programFile)
{
    const qreal ratio = PictureRatio();
    const qsizetype dot = programFile.lastIndexOf(u'.');
    if (ratio <= 1 || dot < 0)
        return readBitmap(programFile);
    QImage sharp = readBitmap(programFile.left(dot) + QStringLiteral("@2x") + programFile.mid(dot));
    if (sharp.isNull())
        return readBitmap(programFile);
    if (ratio != 2) {
        // Brought to the screen's own size here, smoothly: a label draws a picture of another
        // ratio by dropping or doubling device pixels.
        const QSize pixels = sharp.size() / 2;
        sharp = sharp.scaled((QSizeF(pixels) * ratio).toSize(), Qt::IgnoreAspectRatio,
                             Qt::SmoothTransformation);
    }
    sharp.setDevicePixelRatio(ratio);
    return sharp;
}
