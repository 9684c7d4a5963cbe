// The drawings of the area and volume formulas: GIF pictures "zeichnungen\*.cc6" in the
// program folder, read by the picture codecs and fitted into the panel's image.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

namespace FormulaDrawing {

// The drawing file of formula `number` as the data names it ("zeichnungen\01_quadrat.cc6");
// empty for the building-services formulas.
QString FileName(int number);

// The picture scaled smoothly into a white image of `size` logical pixels at the device
// pixel ratio `ratio`, keeping its proportions and centred (halves of the free space
// rounded down).
QImage DrawFitted(const QImage& picture, QSize size, qreal ratio = 1);

} // namespace FormulaDrawing
