#include "common/unit_tables.h"
#include "units/engine/unit_conversion.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <vector>

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

// The units' sizes in SI units, worked out here from the base definitions along a route of
// their own (inch and foot from the yard, the Btu from the calorie and the pound, the
// horsepower from the foot-pound), so that a factor the program rounded, mistyped or took
// from a superseded definition stands out. Checked first against the values NIST SP 811
// (Appendix B.8) states exactly, so that this route is right too.
namespace def {
constexpr double yard = 0.9144, foot = yard / 3, inch = yard / 36, mile = 1760 * yard;
constexpr double rod = 16.5 * foot, nauticalMile = 1852;
constexpr double pound = 0.45359237, gravity = 9.80665, kp = gravity, lbf = pound * gravity;
constexpr double calorie = 4.1868; // J per g and °C; a Btu warms a pound by 1 °F = 5/9 °C
constexpr double btu = calorie * (pound * 1000) * 5 / 9;
constexpr double hp = 550 * foot * lbf; // W
constexpr double imperialGallon = 4.54609e-3, usGallon = 231 * inch * inch * inch;
constexpr double hour = 3600, litre = 1e-3, waterAt60 = 983.2; // kg/m³
} // namespace def

TEST(UnitFactors, TheTestsOwnDefinitionsGiveTheExactValuesOfNist)
{
    using namespace def;
    const struct {
        const char* what;
        double derived, stated;
    } rows[] = {
        {"lbf/in² in Pa", lbf / (inch * inch), 6894.757293168},
        {"lbf in N", lbf, 4.4482216152605},
        {"poundal in N", pound * foot, 0.138254954376},
        {"slug in kg", lbf / foot, 14.5939029372},
        {"Btu in J", btu, 1055.05585262},
        {"hp in W", hp, 745.69987158227},
        {"US gallon in m³", usGallon, 3.785411784e-3},
        {"petroleum barrel in m³", 42 * usGallon, 0.158987294928},
        {"acre in m²", 4840 * yard * yard, 4046.8564224},
        {"cubic foot in m³", foot * foot * foot, 0.028316846592},
    };
    for (const auto& row : rows)
        EXPECT_NEAR(row.derived, row.stated, 1e-12 * row.stated) << row.what;
}

// Every row of every factor grid: the size of its unit in the SI unit of the quantity. The
// grid's factor must be the reference unit's size divided by it, to the last bits a double
// holds. "mile nautical", "geogr. Meile" and the mass flows of water at 60 °C have no legal
// size; their sizes follow from the numbers the program has always used.
TEST(UnitFactors, EveryRowIsTheReferenceUnitDividedByTheUnit)
{
    using namespace def;
    const double second = 1, minute = 60, day = 86400;
    const struct {
        int grid;
        double reference; // size of the reference unit
        std::vector<double> sizes;
    } grids[] = {
        // Pa; a conventional water column is 1000 kg/m³ under standard gravity
        {1,
         100,
         {100, 1, 1000, 1000 * gravity * 1e-3, 1000 * gravity * 1, 1, 1e5, kp / 1e-4, kp / 1e-4,
          101325, 101325 / 760.0, lbf / (inch * inch), lbf / (inch * inch)}},
        // J
        {2,
         1,
         {1, 1e6, 1, kp, 1, 1000 * hour, calorie, 1e3 * calorie, 1e6 * calorie, btu, 1e5 * btu,
          foot * lbf, hp * hour}},
        // W
        {3,
         1,
         {1, 1e3, 1, kp, 1, 1e6 / hour, 1e3 * calorie, 1e3 * calorie / hour, 1e6 * calorie / hour,
          1e9 * calorie / hour, btu / hour, hp, 75 * kp}},
        // kg
        {5,
         1,
         {1e-3, 1, 1e3, kp, pound / 7000, pound / 16, pound, 28 * pound, lbf / foot, 2240 * pound,
          2000 * pound}},
        // N
        {6, kp, {1, 1e3, kp, 1, pound / 7000 * kp, lbf, pound * foot, 2240 * lbf, 2000 * lbf}},
        // m/s
        {7,
         1000 / hour,
         {1, 1 / minute, 1000 / hour, foot, foot / minute, mile / hour, nauticalMile / hour}},
        // m
        {8,
         1,
         {1e-3, 1e-2, 1, 1e3, inch, foot, yard, rod, mile, 1 / 0.000539665, nauticalMile,
          1 / 0.00013474183}},
        // m²
        {9,
         1,
         {1e-4, 1, 1e6, 1e4, 1e2, inch * inch, foot * foot, yard * yard, rod * rod, mile * mile,
          4840 * yard * yard}},
        // m³
        {10,
         1,
         {1e-6, litre, 1, 100 * litre, inch * inch * inch, foot * foot * foot, yard * yard * yard,
          100 * foot * foot * foot, 42 * usGallon, imperialGallon / 8, imperialGallon / 4,
          imperialGallon, 8 * imperialGallon, 36 * imperialGallon, 64 * imperialGallon, usGallon}},
        // s
        {11, day, {second, minute, hour, day, 365.25 * day}},
        // m³/s
        {13,
         1 / hour,
         {litre, litre / minute, litre / hour, 1 / hour, 1 / (waterAt60 * hour),
          foot * foot * foot / minute, pound / (waterAt60 * minute), imperialGallon / minute,
          usGallon / minute}},
    };
    int checked = 0;
    for (const auto& g : grids) {
        const Quantity& q = *QuantityOfGrid(g.grid);
        ASSERT_EQ(q.units.size(), g.sizes.size()) << q.gridName.toString().toStdString();
        for (size_t row = 0; row < g.sizes.size(); ++row, ++checked) {
            const double expected = g.reference / g.sizes[row];
            EXPECT_NEAR(q.units[row].factor, expected, 1e-14 * expected)
                << q.gridName.toString().toStdString() << " "
                << q.units[row].name.toString().toStdString();
        }
    }
    int factorRows = 0;
    for (const Quantity& q : Quantities())
        if (q.kind == ConversionKind::Factor)
            factorRows += int(q.units.size());
    EXPECT_EQ(checked, factorRows);
}

// What the grids show for the values a heating engineer types every day.
TEST(FactorConversion, EverydayValuesShowTheirExactDigits)
{
    const struct {
        int grid;
        int row;
        const char* typed;
        int shownRow;
        const char* shown;
    } rows[] = {
        {2, 5, "1", 0, "3600000.0000"}, // kWh in J
        {2, 5, "1", 1, "3.6000"},       // kWh in MJ
        {1, 6, "1", 12, "14.5038"},     // bar in psi
        {13, 3, "1", 8, "4.4029"},      // m³/h in US gal/min
        {3, 7, "1", 0, "1.1630"},       // kcal/h in W
        {13, 3, "1", 6, "36.1264"},     // m³/h of water at 60 °C in lb/min
        {1, 11, "1", 0, "68.9476"},     // lb/in² in mbar
    };
    for (const auto& row : rows) {
        const Quantity& q = *QuantityOfGrid(row.grid);
        SCOPED_TRACE(q.units[size_t(row.shownRow)].name.toString().toStdString());
        QStringList cells = cellsWith(int(q.units.size()), row.row, row.typed);
        ConvertByFactors(q.units, q.decimals, row.row, cells);
        EXPECT_EQ(cells[row.shownRow], QString::fromUtf8(row.shown));
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
        {0, "-12", "-12|261.15|10.40"}, // a design outdoor temperature
        {0, "", "||"},
        {2, "abc", "||abc"},
        // Below absolute zero there is no temperature: the other rows empty.
        {0, "-300", "-300||"},
        {1, "-0.01", "|-0.01|"},
        {2, "-460", "||-460"},
        {0, "-273.15", "-273.15||-459.67"},
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
