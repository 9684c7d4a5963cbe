#include "units/engine/number_systems.h"

#include "common/number_text.h"

#include <cmath>

namespace {

constexpr int bases[NumberSystemRows] = {10, 2, 16, 8};

int digitValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    return -1;
}

QString digitsOf(qint64 value, int base)
{
    QString text;
    while (value > 0) {
        text.prepend(QChar(u"0123456789ABCDEF"[value % base]));
        value /= base;
    }
    return text;
}

// A digit of the row's base ("A" to "F" in either case for Hexadezimal).
bool isDigitOfRow(int row, QChar c)
{
    const int d = digitValue(c);
    return d >= 0 && d < bases[row];
}

void fillFromDecimal(int skipRow, QStringList& cells)
{
    bool ok = false;
    const int v = cells[0].toInt(&ok, 10);
    for (int row = 1; row < NumberSystemRows; ++row) {
        if (row == skipRow)
            continue;
        cells[row] = ok && v > 0 ? digitsOf(v, bases[row]) : QString();
    }
}

} // namespace

void ConvertNumberSystems(int sourceRow, QStringList& cells)
{
    if (sourceRow < 0 || sourceRow >= NumberSystemRows)
        return;
    while (cells.size() < NumberSystemRows)
        cells.append(QString());
    if (sourceRow == 0) {
        fillFromDecimal(0, cells);
        return;
    }
    const QString& text = cells[sourceRow];
    const int base = bases[sourceRow];
    long double value = 0;
    bool readable = true;
    for (const QChar c : text) {
        if (!isDigitOfRow(sourceRow, c)) {
            readable = false;
            break;
        }
        value = value * base + digitValue(c);
    }
    // A value beyond the double range has no decimal text: unreadable as well.
    if (readable && !std::isfinite(double(value)))
        readable = false;
    cells[0] = readable && value != 0 ? GeneralText(double(value)) : QString();
    fillFromDecimal(sourceRow, cells);
}
