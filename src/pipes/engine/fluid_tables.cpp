#include "pipes/engine/fluid_tables.h"

#include "common/number_text.h"
#include "pipes/fluids_data.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFirstNode = -2; // -20 °C
constexpr int kNodeCount = FluidNodeCount;
constexpr double kHighest = 160;

// clang-format off
constexpr FluidNode kWater[kNodeCount] = {
    {0, 0, 0},               // -20 °C
    {0, 0, 0},               // -10 °C
    {1.75, 999.8, 4.217},    //   0 °C
    {1.3, 999.7, 4.193},
    {1.0, 998.3, 4.182},
    {0.8, 995.7, 4.179},
    {0.656, 992.3, 4.179},
    {0.551, 988.0, 4.181},   //  50 °C
    {0.471, 983.2, 4.185},
    {0.409, 977.7, 4.19},
    {0.361, 971.6, 4.197},
    {0.322, 965.2, 4.205},
    {0.291, 958.1, 4.216},   // 100 °C
    {0.265, 950.7, 4.229},
    {0.244, 942.9, 4.245},
    {0.226, 934.6, 4.263},
    {0.211, 925.8, 4.285},
    {0.197, 916.8, 4.31},    // 150 °C
    {0.186, 907.3, 4.339},
};

constexpr QStringView kNames[FluidCount + 1] = {
    u"undefiniert",
    u"Wasser",
    u"20% Antifrogen N (-10°C)", u"27% Antifrogen N (-15°C)", u"34% Antifrogen N (-20°C)",
    u"39% Antifrogen N (-25°C)", u"44% Antifrogen N (-30°C)", u"48% Antifrogen N (-35°C)",
    u"52% Antifrogen N (-40°C)", u"56% Antifrogen N (-45°C)",
    u"32% Antifrogen L (-15°C)", u"38% Antifrogen L (-20°C)", u"43% Antifrogen L (-25°C)",
    u"47% Antifrogen L (-30°C)", u"52% Antifrogen L (-35°C)", u"55% Antifrogen L (-40°C)",
    u"60% Antifrogen L (-45°C)",
    u"Luft",
};
// clang-format on

enum class Property { Viscosity, Density, HeatCapacity };

const FluidRows& mixtures()
{
    static const FluidRows rows = ParseFluidRows(QString::fromUtf8(kFluidsTsv));
    return rows;
}

// The value at node k (k × 10 °C); 0 where there is none.
double nodeValue(int fluid, Property property, double k)
{
    if (fluid < 1 || fluid > FluidCount || !(k >= kFirstNode && k < kFirstNode + kNodeCount))
        return 0;
    const int index = int(k) - kFirstNode;
    const FluidNode& node = fluid == Water ? kWater[index] : mixtures()[fluid][index];
    switch (property) {
    case Property::Viscosity:
        return node.viscosity;
    case Property::Density:
        return node.density;
    case Property::HeatCapacity:
        return node.heatCapacity / 3.6;
    }
    return 0;
}

// The nearest integer, halves to the even one (the current rounding mode's default).
double nearest(double x)
{
    return std::nearbyint(x);
}

struct Pair {
    double hi;
    double lo;
};

Pair ordered(double t1, double t2)
{
    return {std::min(std::max(t1, t2), kHighest), std::min(std::min(t1, t2), kHighest)};
}

// A pair of temperatures reaching a node without a value (water below 0 °C, a mixture past
// its frost protection or its fits) has no value: the mean of a value and an empty node
// would be half the property, and the page would size the pipe with it.
bool reachesAnEmptyNode(double a, double b)
{
    return a == 0 || b == 0;
}

// Density and heat capacity: the straight line between the nodes of the two temperatures,
// at their mean; temperatures closer than `equalBound` take one node's value.
double interpolated(int fluid, Property property, double t1, double t2, double equalBound,
                    bool equalTakesUpper)
{
    const Pair t = ordered(t1, t2);
    const double vHi = nodeValue(fluid, property, nearest(t.hi / 10));
    const double vLo = nodeValue(fluid, property, nearest(t.lo / 10));
    if (std::fabs(t.hi - t.lo) <= equalBound)
        return equalTakesUpper ? vHi : vLo;
    if (reachesAnEmptyNode(vHi, vLo))
        return 0;
    const double mean = (t.hi + t.lo) / 2;
    return vLo + (vHi - vLo) / (t.hi - t.lo) * (mean - t.lo);
}

} // namespace

FluidRows ParseFluidRows(QStringView text)
{
    FluidRows rows{};
    for (const QStringView line : text.split(u'\n')) {
        const QList<QStringView> cells = line.trimmed().split(u'\t');
        if (cells.size() != 5)
            continue;
        bool fluidOk = false;
        bool nodeOk = false;
        const int fluid = cells[0].trimmed().toInt(&fluidOk);
        const int celsius = cells[1].trimmed().toInt(&nodeOk);
        const int index = celsius / 10 - kFirstNode;
        if (!fluidOk || !nodeOk || fluid <= Water || fluid > FluidCount || celsius % 10 != 0 ||
            index < 0 || index >= kNodeCount)
            continue;
        double values[3] = {};
        bool valid = true;
        for (int i = 0; i < 3 && valid; ++i) {
            const auto number = ParseNumber(cells[2 + i].trimmed().toString(), u'.');
            valid = number && *number > 0;
            values[i] = valid ? *number : 0;
        }
        if (valid)
            rows[fluid][index] = {values[0], values[1], values[2]};
    }
    return rows;
}

std::span<const QStringView> FluidNames()
{
    return kNames;
}

QList<int> AvailableFluids()
{
    QList<int> fluids;
    for (int fluid = 1; fluid <= FluidCount; ++fluid)
        for (int k = kFirstNode; k < kFirstNode + kNodeCount; ++k)
            if (nodeValue(fluid, Property::Density, k) > 0) {
                fluids.append(fluid);
                break;
            }
    return fluids;
}

double FluidViscosity(int fluid, double t1, double t2)
{
    // The upper node lies at or above the warmer temperature, the lower one at or below the
    // colder; the mean temperature lies halfway between, so the value is the nodes' mean.
    const Pair t = ordered(t1, t2);
    const double up = nodeValue(fluid, Property::Viscosity, nearest(t.hi / 10 + 0.49));
    const double down = nodeValue(fluid, Property::Viscosity, nearest(t.lo / 10 - 0.49));
    if (reachesAnEmptyNode(up, down))
        return 0;
    return (up + down) / 2 * 1e-6;
}

double FluidDensity(int fluid, double t1, double t2)
{
    return interpolated(fluid, Property::Density, t1, t2, 0.1, false);
}

double FluidHeatCapacity(int fluid, double t1, double t2)
{
    return interpolated(fluid, Property::HeatCapacity, t1, t2, 0.01, true);
}
