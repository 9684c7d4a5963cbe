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

QString SharpPictureName(const QString& file)
{
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot < 0 ? file : file.left(dot) + QStringLiteral("@2x") + file.mid(dot);
}

QImage AtPictureRatio(QImage sharp)
{
    const qreal ratio = PictureRatio();
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

QImage ReadBitmapPicture(const QString& programFile)
{
    if (PictureRatio() <= 1 || !programFile.contains(u'.'))
        return readBitmap(programFile);
    const QImage sharp = readBitmap(SharpPictureName(programFile));
    return sharp.isNull() ? readBitmap(programFile) : AtPictureRatio(sharp);
}
