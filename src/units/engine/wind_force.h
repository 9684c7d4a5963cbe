// The wind grid: a speed in m/s (row 0), km/h (row 1), mp/h (row 2) and Knoten (row 3),
// its Beaufort number (row 4, the scale extended to 15) and description (row 5).
// Working backwards, a Beaufort number fills the speed rows with its range texts.
#pragma once

#include <QString>
#include <QStringList>

namespace WindRow {
inline constexpr int MetresPerSecond = 0;
inline constexpr int KilometresPerHour = 1;
inline constexpr int MilesPerHour = 2;
inline constexpr int Knots = 3;
inline constexpr int Beaufort = 4;
inline constexpr int Description = 5;
inline constexpr int Count = 6;
} // namespace WindRow

inline constexpr int MaxBeaufort = 15;
// The combo box offers the descriptions of Beaufort 1 to 12 ("leichter Zug" … "Orkan").
inline constexpr int WindComboItemCount = 12;

// The German descriptions of Beaufort 1 … 15, the defaults of "wind_bezeichnung".
QStringList WindDescriptionDefaults();

// The description of Beaufort 1 … 15 from `descriptions` (the German one where that has
// none); empty for any other number.
QString WindDescription(int beaufort, const QStringList& descriptions);

// The Beaufort number of a speed in km/h, by its value truncated towards zero; 0 below
// 1 km/h.
int BeaufortOfSpeed(double kmh);

// Every row except `sourceRow` from the source row's text; `descriptions` holds the
// (translated) descriptions of Beaufort 1 … 15. Returns the combo box selection that
// goes with the result: the description's index, or -1 for none. A Beaufort number
// outside 1 … 15 empties the speed rows and the description. The description row is
// never a source: nothing happens and the selection is `currentCombo`.
int ConvertWind(int sourceRow, QStringList& cells, const QStringList& descriptions,
                int currentCombo);
