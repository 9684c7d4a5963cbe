// Reading and writing the value cells of the unit grids, and the conversions that work on
// one grid's column of value texts (row r of the column belongs to unit r of its table).
#pragma once

#include "common/cell_number.h"
#include "common/unit_tables.h"

#include <QString>
#include <QStringList>

#include <optional>

// A computed value as a cell shows it: fixed point, exactly `decimals` decimals, "."
// separator, no grouping; exactly 0 gives an empty cell.
QString CellText(double value, int decimals);

// Every row of `cells` except `sourceRow` from the source row's text, by the units'
// factors. When a result does not fit a double, the other rows are emptied rather than
// filled with half a conversion.
void ConvertByFactors(UnitTable units, int decimals, int sourceRow, QStringList& cells);

// Rows 0 °C, 1 K, 2 °F, with 2 decimals. 0 °C is a temperature like any other, so only a
// text without a number, or a temperature below absolute zero, empties the other rows.
void ConvertTemperature(int sourceRow, QStringList& cells);
