#include "common/cell_number.h"

#include <charconv>
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
