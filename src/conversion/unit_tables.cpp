#include "unit_tables.h"

namespace {

// The tables read row by row as the grids show them.
// clang-format off
constexpr UnitEntry pressure[] = {
    {u"mbar", 1},
    {u"Pascal", 100},
    {u"kPa", 0.1},
    {u"mmWS", 10.19716},
    {u"mWS", 0.01019716},
    {u"N/m²", 100},
    {u"bar", 0.001},
    {u"kp/cm²", 0.001019716},
    {u"At", 0.001019716},
    {u"Atm", 0.000986923},
    {u"Torr", 0.750062},
    {u"lb/in²", 0.0145},
    {u"psi", 0.0145},
};

constexpr UnitEntry energy[] = {
    {u"Joule", 1},
    {u"MJ", 0.000001},
    {u"Nm", 1},
    {u"kpm", 0.101972},
    {u"Ws", 1},
    {u"kWh", 0.0000002778},
    {u"cal", 0.2388},
    {u"kcal", 0.0002388},
    {u"Mcal", 0.0000002388},
    {u"BTU", 0.000948},
    {u"therms", 0.00000000948},
    {u"ft lb", 0.737463},
    {u"HPh", 0.000000372439},
};

constexpr UnitEntry power[] = {
    {u"Watt", 1},
    {u"kW", 0.001},
    {u"Nm/s", 1},
    {u"kpm/s", 0.101972},
    {u"J/s", 1},
    {u"MJ/h", 0.0036},
    {u"kcal/s", 0.0002388},
    {u"kcal/h", 0.86},
    {u"Mcal/h", 0.00086},
    {u"Gcal/h", 0.00000086},
    {u"BTU/h", 3.412},
    {u"HP", 0.001341022},
    {u"PS", 0.0013596},
};

// Affine: the conversion lives in the temperature routine, not in factors.
constexpr UnitEntry temperature[] = {
    {u"°C", 0},
    {u"K", 0},
    {u"°F", 0},
};

constexpr UnitEntry mass[] = {
    {u"g", 1000},
    {u"kg", 1},
    {u"t", 0.001},
    {u"kp s²/m", 0.101972},
    {u"grain", 15432},
    {u"oz", 35.2733991},
    {u"lb", 2.2046},
    {u"quarter", 0.0787},
    {u"slug", 0.0685},
    {u"long ton", 0.000984207},
    {u"short ton", 0.001102311},
};

constexpr UnitEntry force[] = {
    {u"N", 9.80665},
    {u"kN", 0.00980665},
    {u"kp", 1},
    {u"kgm/s²", 9.80665},
    {u"grain weight", 15400},
    {u"lbf", 2.204},
    {u"pdl", 70.937},
    {u"ton wt.long", 0.000984},
    {u"ton wt.short", 0.0011023},
};

constexpr UnitEntry speed[] = {
    {u"m/s", 0.27777777778},
    {u"m/min", 16.66666667},
    {u"km/h", 1},
    {u"ft/s", 0.911327},
    {u"ft/min", 54.681},
    {u"mile/h", 0.621388},
    {u"kn", 0.539956803},
};

constexpr UnitEntry length[] = {
    {u"mm", 1000},
    {u"cm", 100},
    {u"m", 1},
    {u"km", 0.001},
    {u"inch", 39.37007874},
    {u"foot", 3.280839895},
    {u"yard", 1.093613298},
    {u"rod", 0.1988},
    {u"mile statute", 0.00062138},
    {u"mile nautical", 0.000539665},
    {u"Seemeile", 0.000539954},
    {u"geogr. Meile", 0.00013474183},
};

constexpr UnitEntry area[] = {
    {u"cm²", 10000},
    {u"m²", 1},
    {u"km²", 0.000001},
    {u"ha", 0.0001},
    {u"a", 0.01},
    {u"square inch", 1550.0031},
    {u"square foot", 10.76386},
    {u"square yard", 1.195985},
    {u"square rod", 0.0395},
    {u"sq mile stat", 0.000000386102},
    {u"acre", 0.00024710455},
};

constexpr UnitEntry volume[] = {
    {u"cm³", 1000000},
    {u"Liter", 1000},
    {u"m³", 1},
    {u"hl", 10},
    {u"cu in", 61026},
    {u"cu ft", 35.3156},
    {u"cu yard", 1.3079},
    {u"register ton", 0.3531},
    {u"petrolbarrel", 6.299},
    {u"pint", 1759.75786},
    {u"quart (brit.)", 879.87893},
    {u"gallon (brit.)", 219.96973},
    {u"bushel (brit.)", 27.496217},
    {u"barrel (brit.)", 6.11027034},
    {u"quarter (brit.)", 3.437027},
    {u"gallon (am.)", 264.2007926},
};

constexpr UnitEntry time[] = {
    {u"s", 86400},
    {u"min", 1440},
    {u"h", 24},
    {u"d", 1},
    {u"a", 0.00273776},
};

// Names only: the bases are the number-system routine's business.
constexpr UnitEntry numberSystems[] = {
    {u"Dezimal", 1},
    {u"Binär", 1},
    {u"Hexadezimal", 1},
    {u"Oktal", 1},
};

// The two mass-flow rows hold water at 60 °C (983.2 kg/m³); lb/min is 983.2 × 2.2046 ÷ 60.
constexpr UnitEntry volumeFlow[] = {
    {u"Liter/s", 0.2777777778},
    {u"Liter/min", 16.666667},
    {u"Liter/h", 1000},
    {u"m³/h", 1},
    {u"kg/h", 983.2, true},
    {u"cu ft/min", 0.588577778},
    {u"lb/min", 36.126045333, true},
    {u"gal/min (brit.)", 3.66616217},
    {u"gal/min (am.)", 4.40334655},
};

// Speeds per km/h; the Beaufort and description rows are worked out from the band tables.
constexpr UnitEntry wind[] = {
    {u"m/s", 0.27777777778},
    {u"km/h", 1},
    {u"mp/h", 0.621388},
    {u"Knoten", 0.539956803},
    {u"Beaufort", 1},
    {u"Bezeichnung", 1},
};

// clang-format on

using K = ConversionKind;

constexpr Quantity quantities[QuantityCount] = {
    {1, u"sgr_01_druck", u"pnl_druck", 0, u"Druck", 4, K::Factor, pressure},
    {2, u"sgr_02_energie", u"pnl_energie", 1, u"Energie", 4, K::Factor, energy},
    {3, u"sgr_03_leistung", u"pnl_leistung", 6, u"Leistung", 4, K::Factor, power},
    {4, u"sgr_04_temperatur", u"pnl_temperatur", 8, u"Temperatur", 2, K::Temperature, temperature},
    {5, u"sgr_05_masse", u"pnl_masse", 7, u"Masse", 4, K::Factor, mass},
    {6, u"sgr_06_kraft", u"pnl_kraft", 4, u"Kraft", 4, K::Factor, force},
    {7, u"sgr_07_geschwindigkeit", u"pnl_geschwindigkeit", 3, u"Geschwindigkeit", 4, K::Factor,
     speed},
    {8, u"sgr_08_laenge", u"pnl_laenge", 5, u"Länge", 4, K::Factor, length},
    {9, u"sgr_09_flaeche", u"pnl_flaeche", 2, u"Fläche", 4, K::Factor, area},
    {10, u"sgr_10_volumen", u"pnl_volumen", 9, u"Volumen", 4, K::Factor, volume},
    {11, u"sgr_11_zeit", u"pnl_zeit", 11, u"Zeit", 4, K::Factor, time},
    {12, u"sgr_12_zahlensysteme", u"pnl_zahlensysteme", 12, u"Zahlensysteme", 0, K::NumberSystems,
     numberSystems},
    {13, u"sgr_13_volumenstrom", u"pnl_volumenstrom", 10, u"Volumenstrom", 4, K::Factor,
     volumeFlow},
    {14, u"sgr_14_windstaerke", u"pnl_windstaerke", 13, u"Windstärke", 4, K::Wind, wind},
};

} // namespace

UnitTable PressureUnits()
{
    return pressure;
}

UnitTable VolumeFlowUnits()
{
    return volumeFlow;
}

QStringList NamesOf(UnitTable units)
{
    QStringList names;
    for (const UnitEntry& unit : units)
        names.append(unit.name.toString());
    return names;
}

std::span<const Quantity> Quantities()
{
    return quantities;
}

const Quantity* QuantityOfGrid(int grid)
{
    return grid >= 1 && grid <= QuantityCount ? &quantities[grid - 1] : nullptr;
}

const Quantity* QuantityOfRadio(int radio)
{
    for (const Quantity& q : quantities)
        if (q.radio == radio)
            return &q;
    return nullptr;
}

int GridNumber(QStringView gridName)
{
    // Characters 5 and 6, counted from 1.
    if (gridName.size() < 6)
        return 0;
    const QChar tens = gridName[4];
    const QChar ones = gridName[5];
    auto digit = [](QChar c) { return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1; };
    if (digit(tens) < 0 || digit(ones) < 0)
        return 0;
    return digit(tens) * 10 + digit(ones);
}
