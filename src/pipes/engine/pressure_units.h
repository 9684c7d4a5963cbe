// The units in which the pipe page shows pressure losses: the pressure table of the unit
// converter (factors per mbar) with a placeholder "?" before it, and the decimals the pipe
// page shows in each unit.
#pragma once

#include <QString>

inline constexpr int PressureUnitCount = 14; // 0 is the placeholder "?"
inline constexpr int Millibar = 1;

// "?" for 0, "mbar" for 1 … "psi" for 13; "?" for any other index too.
QString PressureUnitName(int unit);
// Empty for exactly 0; otherwise the value in mbar times the unit's factor, fixed point
// with the unit's decimals, "." as separator, no grouping ("12.34" mbar in Pascal: "1234").
QString FormatPressure(double mbar, int unit);
