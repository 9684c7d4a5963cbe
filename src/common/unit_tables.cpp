#include "common/unit_tables.h"

namespace {

// The sizes of the units in SI units, as the law or a convention fixes them exactly. Every
// factor below is worked out from them at full double precision: a rounded factor puts wrong
// digits into the four decimals a grid shows.
//   [SI]  The International System of Units (SI Brochure), BIPM, 9th edition 2019.
//   [811] NIST Special Publication 811 (2008), Guide for the Use of the SI, Appendix B.8.
//   [WMA] UK Weights and Measures Act 1985, Schedule 1.
namespace si {
constexpr double gravity = 9.80665;            // m/s², standard acceleration [SI: 3rd CGPM 1901]
constexpr double kilopond = gravity;           // N, kilogram-force [811]
constexpr double bar = 1e5;                    // Pa [811]
constexpr double millibar = bar / 1000;        // Pa [SI prefix]
constexpr double mmWater = gravity;            // Pa, millimetre of water, conventional [811]
constexpr double technicalAtm = 1e4 * gravity; // Pa, 1 kgf/cm², atmosphere, technical [811]
constexpr double standardAtm = 101325;         // Pa, atmosphere, standard [811]
constexpr double torr = standardAtm / 760;     // Pa [811]

constexpr double inch = 0.0254;             // m [811]
constexpr double foot = 0.3048;             // m, international foot [811]
constexpr double yard = 0.9144;             // m [WMA; 811]
constexpr double rod = 5.5 * yard;          // m, rod of the imperial yard
constexpr double statuteMile = 1609.344;    // m, 1760 yd [WMA; 811]
constexpr double nauticalMile = 1852;       // m, international nautical mile [811]
constexpr double acre = 4840 * yard * yard; // m² [WMA]

constexpr double litre = 1e-3;                           // m³ [SI Table 8]
constexpr double imperialGallon = 4.54609e-3;            // m³ [WMA; 811]
constexpr double usGallon = 231 * inch * inch * inch;    // m³, 3.785411784 L [811]
constexpr double petrolBarrel = 42 * usGallon;           // m³, barrel for petroleum [811]
constexpr double registerTon = 100 * foot * foot * foot; // m³, ton, register [811]

constexpr double pound = 0.45359237;               // kg, avoirdupois pound [WMA; 811]
constexpr double grain = pound / 7000;             // kg [WMA; 811]
constexpr double ounce = pound / 16;               // kg, avoirdupois ounce [WMA; 811]
constexpr double quarter = 28 * pound;             // kg, a quarter of the long hundredweight
constexpr double longTon = 2240 * pound;           // kg [WMA; 811]
constexpr double shortTon = 2000 * pound;          // kg [811]
constexpr double poundForce = pound * gravity;     // N, 4.4482216152605 N [811]
constexpr double poundal = pound * foot;           // N, 1 lb·ft/s² [811]
constexpr double slug = poundForce / foot;         // kg, 1 lbf·s²/ft [811]
constexpr double psi = poundForce / (inch * inch); // Pa, 6894.757293168 Pa [811]

constexpr double minute = 60;         // s [SI Table 8]
constexpr double hour = 3600;         // s [SI Table 8]
constexpr double day = 86400;         // s [SI Table 8]
constexpr double julianYear = 365.25; // d, the Julian year of the astronomers

constexpr double calorie = 4.1868;                 // J, International Table calorie [811]
constexpr double btu = 2326 * pound;               // J, 1 Btu(IT)/lb = 2.326 kJ/kg [811]
constexpr double therm = 1e5 * btu;                // J, therm (EC) [811]
constexpr double footPound = foot * poundForce;    // J, ft·lbf [811]
constexpr double horsepower = 550 * footPound;     // W, 550 ft·lbf/s [811]
constexpr double metricHorsepower = 75 * kilopond; // W, 735.49875 W [811]
} // namespace si

// The tables read row by row as the grids show them; a factor is reference ÷ unit.
// clang-format off
constexpr UnitEntry pressure[] = {
    {u"mbar", 1},
    {u"Pascal", si::millibar},
    {u"kPa", si::millibar / 1e3},
    {u"mmWS", si::millibar / si::mmWater},
    {u"mWS", si::millibar / (1e3 * si::mmWater)},
    {u"N/m²", si::millibar},
    {u"bar", si::millibar / si::bar},
    {u"kp/cm²", si::millibar / si::technicalAtm},
    {u"At", si::millibar / si::technicalAtm},
    {u"Atm", si::millibar / si::standardAtm},
    {u"Torr", si::millibar / si::torr},
    {u"lb/in²", si::millibar / si::psi},
    {u"psi", si::millibar / si::psi},
};

constexpr UnitEntry energy[] = {
    {u"Joule", 1},
    {u"MJ", 1e-6},
    {u"Nm", 1},
    {u"kpm", 1 / si::kilopond},
    {u"Ws", 1},
    {u"kWh", 1 / (1e3 * si::hour)},
    {u"cal", 1 / si::calorie},
    {u"kcal", 1 / (1e3 * si::calorie)},
    {u"Mcal", 1 / (1e6 * si::calorie)},
    {u"BTU", 1 / si::btu},
    {u"therms", 1 / si::therm},
    {u"ft lb", 1 / si::footPound},
    {u"HPh", 1 / (si::horsepower * si::hour)},
};

constexpr UnitEntry power[] = {
    {u"Watt", 1},
    {u"kW", 1e-3},
    {u"Nm/s", 1},
    {u"kpm/s", 1 / si::kilopond},
    {u"J/s", 1},
    {u"MJ/h", si::hour / 1e6},
    {u"kcal/s", 1 / (1e3 * si::calorie)},
    {u"kcal/h", si::hour / (1e3 * si::calorie)},
    {u"Mcal/h", si::hour / (1e6 * si::calorie)},
    {u"Gcal/h", si::hour / (1e9 * si::calorie)},
    {u"BTU/h", si::hour / si::btu},
    {u"HP", 1 / si::horsepower},
    {u"PS", 1 / si::metricHorsepower},
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
    {u"t", 1e-3},
    {u"kp s²/m", 1 / si::kilopond},
    {u"grain", 1 / si::grain},
    {u"oz", 1 / si::ounce},
    {u"lb", 1 / si::pound},
    {u"quarter", 1 / si::quarter},
    {u"slug", 1 / si::slug},
    {u"long ton", 1 / si::longTon},
    {u"short ton", 1 / si::shortTon},
};

// The weight of a mass in kp is that mass in kg.
constexpr UnitEntry force[] = {
    {u"N", si::kilopond},
    {u"kN", si::kilopond / 1e3},
    {u"kp", 1},
    {u"kgm/s²", si::kilopond},
    {u"grain weight", 1 / si::grain},
    {u"lbf", 1 / si::pound},
    {u"pdl", si::kilopond / si::poundal},
    {u"ton wt.long", 1 / si::longTon},
    {u"ton wt.short", 1 / si::shortTon},
};

// Per km/h.
constexpr UnitEntry speed[] = {
    {u"m/s", 1e3 / si::hour},
    {u"m/min", 1e3 / (si::hour / si::minute)},
    {u"km/h", 1},
    {u"ft/s", 1e3 / si::hour / si::foot},
    {u"ft/min", 1e3 / (si::hour / si::minute) / si::foot},
    {u"mile/h", 1e3 / si::statuteMile},
    {u"kn", 1e3 / si::nauticalMile},
};

// "mile nautical" and "geogr. Meile" have no one legal size: they keep the factors they
// always had.
constexpr UnitEntry length[] = {
    {u"mm", 1000},
    {u"cm", 100},
    {u"m", 1},
    {u"km", 1e-3},
    {u"inch", 1 / si::inch},
    {u"foot", 1 / si::foot},
    {u"yard", 1 / si::yard},
    {u"rod", 1 / si::rod},
    {u"mile statute", 1 / si::statuteMile},
    {u"mile nautical", 0.000539665},
    {u"Seemeile", 1 / si::nauticalMile},
    {u"geogr. Meile", 0.00013474183},
};

constexpr UnitEntry area[] = {
    {u"cm²", 1e4},
    {u"m²", 1},
    {u"km²", 1e-6},
    {u"ha", 1e-4},
    {u"a", 1e-2},
    {u"square inch", 1 / (si::inch * si::inch)},
    {u"square foot", 1 / (si::foot * si::foot)},
    {u"square yard", 1 / (si::yard * si::yard)},
    {u"square rod", 1 / (si::rod * si::rod)},
    {u"sq mile stat", 1 / (si::statuteMile * si::statuteMile)},
    {u"acre", 1 / si::acre},
};

constexpr UnitEntry volume[] = {
    {u"cm³", 1e6},
    {u"Liter", 1 / si::litre},
    {u"m³", 1},
    {u"hl", 1 / (100 * si::litre)},
    {u"cu in", 1 / (si::inch * si::inch * si::inch)},
    {u"cu ft", 1 / (si::foot * si::foot * si::foot)},
    {u"cu yard", 1 / (si::yard * si::yard * si::yard)},
    {u"register ton", 1 / si::registerTon},
    {u"petrolbarrel", 1 / si::petrolBarrel},
    {u"pint", 8 / si::imperialGallon},
    {u"quart (brit.)", 4 / si::imperialGallon},
    {u"gallon (brit.)", 1 / si::imperialGallon},
    {u"bushel (brit.)", 1 / (8 * si::imperialGallon)},
    {u"barrel (brit.)", 1 / (36 * si::imperialGallon)},
    {u"quarter (brit.)", 1 / (64 * si::imperialGallon)},
    {u"gallon (am.)", 1 / si::usGallon},
};

constexpr UnitEntry time[] = {
    {u"s", si::day},
    {u"min", si::day / si::minute},
    {u"h", si::day / si::hour},
    {u"d", 1},
    {u"a", 1 / si::julianYear},
};

// Names only: the bases are the number-system routine's business.
constexpr UnitEntry numberSystems[] = {
    {u"Dezimal", 1},
    {u"Binär", 1},
    {u"Hexadezimal", 1},
    {u"Oktal", 1},
};

// The two mass-flow rows hold water at 60 °C, 983.2 kg/m³: a density, not a definition, so
// kg/h keeps its factor and lb/min follows from it.
constexpr double waterAt60 = 983.2; // kg/m³
constexpr UnitEntry volumeFlow[] = {
    {u"Liter/s", 1 / (si::litre * si::hour)},
    {u"Liter/min", 1 / (si::litre * si::hour / si::minute)},
    {u"Liter/h", 1 / si::litre},
    {u"m³/h", 1},
    {u"kg/h", waterAt60, true},
    {u"cu ft/min", 1 / (si::foot * si::foot * si::foot * si::hour / si::minute)},
    {u"lb/min", waterAt60 / si::pound / (si::hour / si::minute), true},
    {u"gal/min (brit.)", 1 / (si::imperialGallon * si::hour / si::minute)},
    {u"gal/min (am.)", 1 / (si::usGallon * si::hour / si::minute)},
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
