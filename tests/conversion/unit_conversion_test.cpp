#include "conversion/unit_conversion.h"
#include "conversion/unit_tables.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

QStringList cellsWith(int rows, int row, const char* text)
{
    QStringList cells;
    for (int r = 0; r < rows; ++r)
        cells.append(r == row ? QString::fromUtf8(text) : QStringLiteral("old"));
    return cells;
}

TEST(CellReading, LenientAboutCommasAndTrailingText)
{
    const struct {
        const char* text;
        double value;
    } rows[] = {
        {"1,5", 1.5}, {"12abc", 12}, {"1.234,5", 1.234}, {"", 0},        {"12.", 12},
        {"-40", -40}, {",5", 0.5},   {"abc", 0},         {"1e3", 1000},  {"1E", 1},
        {" 7", 7},    {"1e999", 0},  {".", 0},           {"1,5,3", 1.5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_DOUBLE_EQ(ReadCellValue(QString::fromUtf8(row.text)), row.value);
    }
}

TEST(CellWriting, FixedDecimalsWithPointAndZeroAsEmpty)
{
    EXPECT_EQ(CellText(1000, 4), u"1000.0000");
    EXPECT_EQ(CellText(-40, 2), u"-40.00");
    EXPECT_EQ(CellText(0.00004, 4), u"0.0000"); // small, but not zero
    EXPECT_EQ(CellText(0, 4), u"");
    EXPECT_EQ(CellText(-0.0, 4), u"");
}

// One line per quantity: a value typed into one row, then every row as the grid shows it.
// Each row goes through its own factor, so a wrong factor shows in its row.
TEST(FactorConversion, EveryUnitOfEveryQuantity)
{
    const struct {
        int grid;
        int row;
        const char* typed;
        const char* expected;
    } rows[] = {
        {1, 6, "1",
         "1000.0000|100000.0000|100.0000|10197.1600|10.1972|100000.0000|1|1.0197|1.0197|0.9869|"
         "750.0620|14.5000|14.5000"},
        {2, 5, "1",
         "3599712.0230|3.5997|3599712.0230|367069.8344|3599712.0230|1|859611.2311|859.6112|"
         "0.8596|3412.5270|0.0341|2654654.4276|1.3407"},
        {3, 1, "1",
         "1000.0000|1|1000.0000|101.9720|1000.0000|3.6000|0.2388|860.0000|0.8600|0.0009|"
         "3412.0000|1.3410|1.3596"},
        {5, 1, "1000",
         "1000000.0000|1000|1.0000|101.9720|15432000.0000|35273.3991|2204.6000|78.7000|68.5000|"
         "0.9842|1.1023"},
        {6, 0, "1000",
         "1000|1.0000|101.9716|1000.0000|1570362.9680|224.7455|7233.5609|0.1003|0.1124"},
        {7, 2, "100", "27.7778|1666.6667|100|91.1327|5468.1000|62.1388|53.9957"},
        {8, 3, "1000",
         "1000000000.0000|100000000.0000|1000000.0000|1000|39370078.7400|3280839.8950|"
         "1093613.2980|198800.0000|621.3800|539.6650|539.9540|134.7418"},
        {9, 2, "1000",
         "10000000000000.0000|1000000000.0000|1000|100000.0000|10000000.0000|"
         "1550003100000.0000|10763860000.0000|1195985000.0000|39500000.0000|386.1020|"
         "247104.5500"},
        {10, 2, "1000",
         "1000000000.0000|1000000.0000|1000|10000.0000|61026000.0000|35315.6000|1307.9000|"
         "353.1000|6299.0000|1759757.8600|879878.9300|219969.7300|27496.2170|6110.2703|"
         "3437.0270|264200.7926"},
        {11, 4, "1", "31558646.4847|525977.4414|8766.2907|365.2621|1"},
        {13, 3, "1", "0.2778|16.6667|1000.0000|1|983.2000|0.5886|36.1260|3.6662|4.4033"},
    };
    for (const auto& row : rows) {
        const Quantity& q = *QuantityOfGrid(row.grid);
        SCOPED_TRACE(q.gridName.toString().toStdString());
        QStringList cells = cellsWith(int(q.units.size()), row.row, row.typed);
        ConvertByFactors(q.units, q.decimals, row.row, cells);
        EXPECT_EQ(cells.join(u'|'), QString::fromUtf8(row.expected));
    }
}

TEST(FactorConversion, ZeroOrUnreadableEmptiesEveryOtherRow)
{
    for (const char* typed : {"0", "", "abc", "0.0"}) {
        SCOPED_TRACE(typed);
        QStringList cells = cellsWith(13, 1, typed);
        ConvertByFactors(PressureUnits(), 4, 1, cells);
        EXPECT_EQ(cells.join(u'|'), u'|' + QString::fromUtf8(typed) + QString(u'|').repeated(11));
    }
}

TEST(FactorConversion, AResultBeyondTheDoubleRangeEmptiesInsteadOfHalfConverting)
{
    // 1E305 therms are more Joule than a double holds.
    QStringList cells = cellsWith(13, 10, "1E305");
    ConvertByFactors(QuantityOfGrid(2)->units, 4, 10, cells);
    EXPECT_EQ(cells.join(u'|'), QStringLiteral("||||||||||1E305||"));
}

TEST(TemperatureConversion, AffineBetweenCelsiusKelvinAndFahrenheit)
{
    const struct {
        int row;
        const char* typed;
        const char* expected;
    } rows[] = {
        {0, "0", "0|273.15|32.00"},
        {1, "273.15", "|273.15|32.00"}, // exactly 0 °C shows as an empty cell
        {2, "100", "37.78|310.93|100"},
        {0, "-40", "-40|233.15|-40.00"},
        {1, "0", "-273.15|0|-459.67"},
        {0, "", "||"},
        {2, "abc", "||abc"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        QStringList cells = cellsWith(3, row.row, row.typed);
        ConvertTemperature(row.row, cells);
        EXPECT_EQ(cells.join(u'|'), QString::fromUtf8(row.expected));
    }
}

TEST(UnitTables, QuantitiesMatchTheirGridsPanelsAndRadioButtons)
{
    const int rows[QuantityCount] = {13, 13, 13, 3, 11, 9, 7, 12, 11, 16, 5, 4, 9, 6};
    QList<int> radios;
    for (const Quantity& q : Quantities()) {
        SCOPED_TRACE(q.grid);
        EXPECT_EQ(GridNumber(q.gridName), q.grid);
        EXPECT_EQ(QuantityOfRadio(q.radio), &q);
        radios.append(q.radio);
        EXPECT_EQ(int(q.units.size()), rows[q.grid - 1]);
    }
    // Radio buttons 0 … 13, each once.
    std::sort(radios.begin(), radios.end());
    for (int i = 0; i < QuantityCount; ++i)
        EXPECT_EQ(radios.value(i), i);
    EXPECT_EQ(QuantityOfGrid(0), nullptr);
    EXPECT_EQ(QuantityOfGrid(15), nullptr);
    EXPECT_EQ(GridNumber(u"sgr_1"), 0);
    EXPECT_EQ(PressureUnits().data(), QuantityOfGrid(1)->units.data());
    EXPECT_EQ(VolumeFlowUnits().data(), QuantityOfGrid(13)->units.data());
}

} // namespace
