// A drawing file from any bytes, through the formula page's path: a GIF of at most 2048
// pixels a side or nothing, and the fitted drawing always has the panel's size.
#include "fuzz_target.h"

#include "formulas/ui/formula_drawing.h"
#include "platform/modules/picture_codecs.h"

FUZZ_TARGET(gif_drawing)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto picture = ReadGifPicture(bytes);
    if (!picture)
        return 0;
    FUZZ_CHECK(!picture->isNull() && picture->width() <= 2048 && picture->height() <= 2048,
               QStringLiteral("%1x%2").arg(picture->width()).arg(picture->height()));
    const QSize panel(163, 97);
    FUZZ_CHECK(FormulaDrawing::DrawFitted(*picture, panel).size() == panel, QString());
    return 0;
}
