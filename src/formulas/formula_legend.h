// The variables legend img_erklaer (181 × 203): under the underlined word "Variablen", one
// row per variable (symbol, unit, caption), rows 15 pixels apart, and for some building-
// services formulas a block of the constants they use.
#pragma once

#include <QImage>

class McStrings;

namespace FormulaLegend {

inline constexpr int Width = 181;
inline constexpr int Height = 203;

// Draws the legend of formula `number` onto `image` (made Width × Height logical pixels at
// the device pixel ratio `ratio`) and returns LegendHeight: the y below the last row
// plus 15.
int DrawLegend(QImage& image, int number, const McStrings& captions, qreal ratio = 1);

} // namespace FormulaLegend
