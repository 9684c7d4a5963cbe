#include "pipes/fluid_tables.h"
#include "pipes/pipe_hydraulics.h"
#include "pipes/pressure_units.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

TEST(FluidTables, WaterByTheNodesAroundBothTemperatures)
{
    const struct {
        double t1, t2;
        double viscosity;    // mm²/s
        double density;      // kg/m³
        double heatCapacity; // kJ/(kg·K), before the division by 3.6
    } cases[] = {
        {70, 50, 0.48, 982.85, (4.19 + 4.181) / 2},     // nodes 7 and 5 each way
        {50, 70, 0.48, 982.85, (4.19 + 4.181) / 2},     // the order does not matter
        {75, 75, 0.385, 971.6, 4.197},                  // viscosity nodes 8 and 7; 7.5 → 8
        {75.05, 75, 0.385, 971.6, (4.197 + 4.197) / 2}, // within 0.1 K: density of one node
        {200, 180, 0.186, 907.3, 4.339},                // above 160 °C: the 160 °C values
        {-5, -5, 0.875, 999.8, 4.217},                  // -0.5 → node 0; viscosity -1 has none
        {-30, 50, 0.551 / 2, 988.0 / 2, 4.181 / 2},     // below the table: no value there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.t1 << "/" << c.t2);
        EXPECT_NEAR(FluidViscosity(Water, c.t1, c.t2), c.viscosity * 1e-6, 1e-15);
        EXPECT_NEAR(FluidDensity(Water, c.t1, c.t2), c.density, 1e-9);
        EXPECT_NEAR(FluidHeatCapacity(Water, c.t1, c.t2), c.heatCapacity / 3.6, 1e-12);
    }
    EXPECT_EQ(FluidDensity(2, 70, 50), 0); // this build carries water only
    EXPECT_EQ(FluidNames()[1], u"Wasser");
    EXPECT_EQ(FluidNames()[17], u"Luft");
}

TEST(FluidTables, TheFlowOfTenKilowattsAtSeventyFifty)
{
    const double c = FluidHeatCapacity(Water, 50, 70);
    EXPECT_NEAR(c, 1.16264, 5e-6);
    const double v = 10000 / (20 * c * FluidDensity(Water, 50, 70));
    EXPECT_NEAR(v, 0.43756, 5e-6);
    EXPECT_NEAR(v * 1000 / 3600, 0.12154, 5e-6);
}

TEST(PressureUnits, ValuesShowInTheUnitWithItsDecimals)
{
    const struct {
        double mbar;
        int unit;
        const char16_t* text;
    } cases[] = {
        {12.34, 1, u"12.3"},   {12.34, 2, u"1234"},    {12.34, 7, u"0.01234"},
        {12.34, 5, u"0.1258"}, {12.34, 13, u"0.1789"}, {0, 2, u""},
        {-1.25, 3, u"-0.125"}, {1.5, 0, u"1.50"},      {1.5, 99, u"1.50"}, // outside: as "?"
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mbar << " unit " << c.unit);
        EXPECT_EQ(FormatPressure(c.mbar, c.unit), QString::fromUtf16(c.text));
    }
    EXPECT_EQ(PressureUnitName(0), u"?");
    EXPECT_EQ(PressureUnitName(Millibar), u"mbar");
    EXPECT_EQ(PressureUnitName(13), u"psi");
}

// The values come from friction_reference.py beside this file, which works them out from the
// laws of each branch on its own; its first value is the program's stop of the iteration,
// the second the exact root of the implicit law (0 for the explicit laws).
TEST(FrictionFactor, EachBranchAtItsEdges)
{
    const struct {
        double re, d, k, lambda, root;
    } cases[] = {
        // clang-format off
    {2319, 0.03125, 0.0, 0.027598102630444158, 0}, // laminar, x = 0.0
    {2320, 0.03125, 0.0, 0.04558946320384476, 0}, // Blasius, x = 0.0
    {99999, 0.03125, 0.0, 0.017792524010499477, 0}, // Blasius, x = 0.0
    {100000, 0.03125, 0.0, 0.01763418521350914, 0}, // Nikuradse, x = 0.0
    {1000000, 0.03125, 0.0, 0.011563581122247764, 0}, // Nikuradse, x = 0.0
    {1000001, 0.03125, 0.0, 0.011647019328429344, 0.011646538652325424}, // Prandtl-Karman, x = 0.0
    {100000000.0, 0.03125, 0.0, 0.0059411686462849935, 0.005941026453368196}, // Prandtl-Karman, x = 0.0
    {2000000, 0.03125, 2.9802322387695312e-08, 0.010374568591965233, 0.010374156894360918}, // Prandtl-Karman, x = 1.9073486328125
    {66559, 0.03125, 3.0517578125e-05, 0.019698573521726388, 0}, // Blasius, x = 64.9990234375
    {66560, 0.03125, 3.0517578125e-05, 0.02307974220893758, 0.023079798903217992}, // Colebrook, x = 65.0
    {1331200, 0.03125, 3.0517578125e-05, 0.019747327999594114, 0.01974731922659269}, // Colebrook, x = 1300.0
    {1331201, 0.03125, 3.0517578125e-05, 0.019513888463550653, 0}, // rough, x = 1300.0009765625
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "Re " << c.re << " k " << c.k);
        const double lambda = FrictionFactor(c.re, c.d, c.k);
        EXPECT_NEAR(lambda, c.lambda, c.lambda * 1e-12);
        if (c.root != 0) {
            EXPECT_NEAR(lambda, c.root, c.root * 1e-4);
        }
    }
}

TEST(PressureLoss, RunAndSingleResistances)
{
    // Copper 22 × 1 at 70/50 °C with 10 kW: v = 0.38689 m/s, Re = 16120, Blasius.
    const double v = 0.43756030545768904;
    const double rho = 982.85;
    const PressureLossResult run = PressureLoss(v, 2, 0.02, 0.0000015, 0, rho, 70, 50);
    EXPECT_NEAR(run.r, 1.0327405669823537, 1e-9);
    EXPECT_NEAR(run.total, 2.0654811339647074, 1e-9);
    const PressureLossResult both = PressureLoss(v, 2, 0.02, 0.0000015, 2, rho, 70, 50);
    EXPECT_NEAR(both.total, 3.536635783743571, 1e-9);
    const PressureLossResult zetaOnly = PressureLoss(v, 0, 0.02, 0.0000015, 2, rho, 70, 50);
    EXPECT_NEAR(zetaOnly.total, 1.4711546497788635, 1e-9);
    EXPECT_EQ(zetaOnly.r, 0);
    for (const double flow : {0.0, -0.4}) {
        const PressureLossResult none = PressureLoss(flow, 2, 0.02, 0.0000015, 2, rho, 70, 50);
        EXPECT_EQ(none.total, 0);
        EXPECT_EQ(none.r, 0);
    }
    EXPECT_EQ(PipeVelocity(0.00001, 1), 0);
    EXPECT_NEAR(PipeVelocity(0.02, v), 0.3868882528577269, 1e-12);
}

} // namespace
