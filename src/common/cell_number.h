// Numbers as the value cells of the converters hold them: typed by hand, read leniently.
#pragma once

#include <QString>

#include <optional>

// A value cell read leniently: a decimal number with "." as separator; reading that stops
// at a "," takes it as "." and tries again; anything after the place where reading stops
// is ignored. Text without a number reads 0 ("1,5" → 1.5, "12abc" → 12, "1.234,5" → 1.234).
double ReadCellValue(const QString& text);
// The same reading; nothing when the text holds no number at all.
std::optional<double> ReadCellNumber(const QString& text);
