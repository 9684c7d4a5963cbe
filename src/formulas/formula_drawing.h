// The drawings of the area and volume formulas: GIF pictures "zeichnungen\*.cc6" in the
// program folder, read with giflib and fitted into the panel's image.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace FormulaDrawing {

// The drawing file of formula `number` as the data names it ("zeichnungen\01_quadrat.cc6");
// empty for the building-services formulas.
QString FileName(int number);

// The first picture of a GIF file, or nothing when the bytes are no readable GIF. Any bytes
// are safe: nothing is read beyond them, and pictures larger than 2048 pixels a side are
// refused. In the picture codecs' library (gif_reader.cpp); the program reads through
// ProgramPictureCodecs().
std::optional<QImage> ReadGif(const QByteArray& bytes);

// The picture scaled smoothly into a white image of `size` logical pixels at the device
// pixel ratio `ratio`, keeping its proportions and centred (halves of the free space
// rounded down).
QImage DrawFitted(const QImage& picture, QSize size, qreal ratio = 1);

} // namespace FormulaDrawing
