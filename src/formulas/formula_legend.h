// The variables legend img_erklaer (181 × 203): under the underlined word "Variablen", one
// row per variable (symbol, unit, caption), rows 15 pixels apart, and for some building-
// services formulas a block of the constants they use.
#pragma once

#include "calculator/control_texts.h"

#include <QHash>
#include <QImage>

#include <utility>

class McStrings;

namespace FormulaLegend {

inline constexpr int Width = 181;
inline constexpr int Height = 203;

// Captions the legend writes in two lines where a language words the pair otherwise than
// its single-line parts: Polish writes "Temperatura" / "zasilania" in the legend but
// "Zasilanie" where the flow stands alone. Keyed by the "MC_strings" entry of the first line.
using TwoLineCaptions = QHash<int, std::pair<QString, QString>>;

// The page's texts of those captions, German (the same words as their "MC_strings" entries),
// and the translated ones that differ from them: those the legend writes instead.
QList<ControlTexts::Entry> TwoLineCaptionTexts();
TwoLineCaptions TwoLineCaptionsOf(const ControlTexts& texts);

// Draws the legend of formula `number` onto `image` (made Width × Height logical pixels at
// the device pixel ratio `ratio`) and returns LegendHeight: the y below the last row
// plus 15.
int DrawLegend(QImage& image, int number, const McStrings& captions, qreal ratio = 1,
               const TwoLineCaptions& twoLine = {});

} // namespace FormulaLegend
