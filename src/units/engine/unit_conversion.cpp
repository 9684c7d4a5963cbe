#include "units/engine/unit_conversion.h"

#include "common/cell_number.h"
#include "common/number_text.h"

#include <cmath>

namespace {

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
