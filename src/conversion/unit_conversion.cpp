#include "unit_conversion.h"

#include "calculator/number_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool exponentIsNegative(const std::string& ascii)
{
    const auto e = ascii.find('e');
    return e != std::string::npos && e + 1 < ascii.size() && ascii[e + 1] == '-';
}

struct Reading {
    std::optional<double> value; // nothing when no number was found
    int stop = 0;                // index of the first character that is not part of the number
};

// The longest number at the start of the text: blanks, a sign, digits with at most one
// ".", an exponent only when digits follow its "E".
Reading readPrefix(const QString& text)
{
    const int n = int(text.size());
    int i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    std::string ascii;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            ascii += '-';
        ++i;
    }
    int digits = 0;
    for (; i < n && isDigit(text[i]); ++i, ++digits)
        ascii += char(text[i].unicode());
    if (i < n && text[i] == u'.') {
        ascii += '.';
        for (++i; i < n && isDigit(text[i]); ++i, ++digits)
            ascii += char(text[i].unicode());
    }
    if (digits == 0)
        return {std::nullopt, i};
    if (i < n && (text[i] == u'E' || text[i] == u'e')) {
        int j = i + 1;
        std::string exponent = "e";
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        const int firstDigit = j;
        for (; j < n && isDigit(text[j]); ++j)
            exponent += char(text[j].unicode());
        if (j > firstDigit) {
            ascii += exponent;
            i = j;
        }
    }
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    // A value beyond the double range is no number a cell can hold; below it, it is 0.
    if (result.ec != std::errc())
        return {exponentIsNegative(ascii) ? std::optional<double>(0.0) : std::nullopt, i};
    return {value, i};
}

bool allFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

void emptyAllBut(int sourceRow, QStringList& cells)
{
    for (int k = 0; k < cells.size(); ++k)
        if (k != sourceRow)
            cells[k].clear();
}

} // namespace

double ReadCellValue(const QString& text)
{
    return ReadCellNumber(text).value_or(0.0);
}

std::optional<double> ReadCellNumber(const QString& text)
{
    Reading reading = readPrefix(text);
    if (reading.stop < text.size() && text[reading.stop] == u',') {
        QString again = text;
        again[reading.stop] = u'.';
        reading = readPrefix(again);
    }
    return reading.value;
}

QString CellText(double value, int decimals)
{
    if (value == 0)
        return QString();
    return ToPoint(FixedText(value, decimals));
}

void ConvertByFactors(UnitTable units, int decimals, int sourceRow, QStringList& cells)
{
    const int rows = int(units.size());
    if (sourceRow < 0 || sourceRow >= rows)
        return;
    while (cells.size() < rows)
        cells.append(QString());
    const double base = ReadCellValue(cells[sourceRow]) / units[sourceRow].factor;
    QStringList out = cells;
    for (int k = 0; k < rows; ++k) {
        if (k == sourceRow)
            continue;
        const double v = base * units[k].factor;
        if (!std::isfinite(v)) {
            emptyAllBut(sourceRow, cells);
            return;
        }
        out[k] = CellText(v, decimals);
    }
    cells = out;
}

void ConvertTemperature(int sourceRow, QStringList& cells)
{
    if (sourceRow < 0 || sourceRow > 2)
        return;
    while (cells.size() < 3)
        cells.append(QString());
    const std::optional<double> read = ReadCellNumber(cells[sourceRow]);
    if (!read) {
        emptyAllBut(sourceRow, cells);
        return;
    }
    const double x = *read;
    // Absolute zero in each row's unit: nothing is colder, so below it there is nothing to
    // show. The typed value is compared, not the converted one, whose last bit may stray.
    constexpr double absoluteZero[3] = {-273.15, 0, -459.67};
    double c = x;
    if (sourceRow == 1)
        c = x - 273.15;
    else if (sourceRow == 2)
        c = (x - 32) * 0.5555555555555556; // 5/9
    const double values[3] = {c, c + 273.15, c * 1.8 + 32};
    if (x < absoluteZero[sourceRow] || !allFinite({values[0], values[1], values[2]})) {
        emptyAllBut(sourceRow, cells);
        return;
    }
    for (int k = 0; k < 3; ++k)
        if (k != sourceRow)
            cells[k] = CellText(values[k], 2);
}
