// Number texts shared by every page.
//
// The program's own conversions use "," as decimal separator and never follow the system's
// regional settings; the keypad display, the expression line, the tape and memory show ".".
// Converting between the two is a plain character replacement (ToPoint / ToComma).
// Nothing here depends on the C library's locale: digits come from std::to_chars and
// std::from_chars, and rounding is done on the decimal digits (half away from zero).
#pragma once

#include <QString>

#include <optional>

QString ToPoint(QString text);
QString ToComma(QString text);

// The program's number conversion: optional blanks, sign, digits with at most one
// `separator`, an optional "E" exponent. Returns nothing for any other text and for values
// outside the double range.
std::optional<double> ParseNumber(const QString& text, QChar separator = u',');

// General format with up to 15 significant digits and comma separator: fixed notation for
// 1E-4 <= |v| < 1E15, otherwise mantissa, "E" and the exponent ("1,5E20", "1E-5").
QString GeneralText(double value);

// Fixed point with exactly `decimals` decimals and comma separator, like "%.2f".
QString FixedText(double value, int decimals);

// Fixed point after the value has been rounded to `precision` significant digits; a value
// with more integral digits than `precision` falls back to the general format.
QString FixedTextWithPrecision(double value, int precision, int decimals);

// A computed value as the keypad shows it: general format, point separator, no blanks.
QString ResultText(double value);

// Removes trailing "0" characters of a text with a separator and without an exponent;
// a separator left at the end stays ("2.000" gives "2.").
QString StripTrailingZeros(QString text);

// True when the text converts to a number (point or comma separator); no message.
bool IsNumberText(const QString& text);

// A mantissa of more than fifteen digits is written with a power of ten of its own
// ("2.23694933246935E18"); beside another power of ten the two are added, so that the text
// stays one number. Splits such a text; nothing for a text without an integral power of ten.
struct OwnPowerOfTen {
    QString mantissa;
    int power = 0;
};
std::optional<OwnPowerOfTen> SplitPowerOfTen(const QString& text);

// Where a number text formatted by FormatMantissa goes.
enum class MantissaStyle {
    Written, // expression line, tape and memory: padded to the decimals, trailing zeros removed
    Display, // the display: exactly the decimals, an integral value without any
    Formula, // formula results: exactly the decimals, an integral value too
};

// Applies the fixed number of decimals (`fixDecimals`, -1 meaning free) to a number text
// with point separator. A value that the fixed decimals would round to 0 keeps its power of
// ten ("1E-99"), so that what is written down never loses it.
QString FormatMantissa(QString text, int fixDecimals, MantissaStyle style);

// A mantissa shown beside a power of ten, once rounded to the fixed decimals, can reach 10
// ("9.9999999999998" with nine decimals): it is then 1 and the power grows by one, so that
// "10" never stands before the power of ten. Both texts with point separator.
void CarryIntoPowerOfTen(QString& mantissa, QString& power, int fixDecimals, MantissaStyle style);
