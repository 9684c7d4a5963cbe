// The number-system grid: one whole number as Dezimal (row 0), Binär (row 1),
// Hexadezimal (row 2) and Oktal (row 3).
#pragma once

#include <QString>
#include <QStringList>

inline constexpr int NumberSystemRows = 4;

// Every row except `sourceRow` from the source row's text. From the decimal row, the text
// must be a 32-bit signed integer; zero, negative and unreadable values empty the other
// rows. From another row, the digits of that base give the decimal row, and the remaining
// rows follow from it; a character that is not a digit of the row's base makes the text
// unreadable and empties the other rows.
void ConvertNumberSystems(int sourceRow, QStringList& cells);
