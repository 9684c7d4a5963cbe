#include "pipes/engine/fluid_tables.h"
#include "pipes/engine/pipe_hydraulics.h"
#include "pipes/engine/pressure_units.h"

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
        {-5, -5, 0, 999.8, 4.217},                      // -0.5 → node 0; viscosity -1 has none
        {-30, 50, 0, 0, 0},                             // below the table: no half values
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.t1 << "/" << c.t2);
        EXPECT_NEAR(FluidViscosity(Water, c.t1, c.t2), c.viscosity * 1e-6, 1e-15);
        EXPECT_NEAR(FluidDensity(Water, c.t1, c.t2), c.density, 1e-9);
        EXPECT_NEAR(FluidHeatCapacity(Water, c.t1, c.t2), c.heatCapacity / 3.6, 1e-12);
    }
    EXPECT_EQ(FluidDensity(17, 70, 50), 0); // air carries no values
    EXPECT_EQ(FluidNames()[1], u"Wasser");
    EXPECT_EQ(FluidNames()[17], u"Luft");
}

// Ethylene glycol with frost protection to -25 °C (mass fraction 0.411) at its 20 °C node,
// against the values an independent implementation of the same published fits gives for
// the mass fraction 0.40 at 20 °C: μ = 2.8191 mPa·s, ρ = 1051.9 kg/m³, cp = 3519.0 J/(kg·K).
// The richer mixture is a little more viscous and denser and holds a little less heat; a
// mix-up of units or of dynamic and kinematic viscosity is far outside these bounds.
TEST(FluidTables, AGlycolRowAgainstItsSource)
{
    const int glycol = 5;
    ASSERT_EQ(FluidNames()[glycol], u"39% Antifrogen N (-25°C)");
    const double nu = 2.8191e-3 / 1051.9;
    EXPECT_GT(FluidViscosity(glycol, 20, 20), nu);
    EXPECT_LT(FluidViscosity(glycol, 20, 20), nu * 1.05);
    EXPECT_NEAR(FluidDensity(glycol, 20, 20), 1051.9, 1051.9 * 0.003);
    EXPECT_NEAR(FluidHeatCapacity(glycol, 20, 20) * 3.6, 3.519, 3.519 * 0.01);

    // Values only where the fits hold: above the frost protection, up to 100 °C.
    EXPECT_GT(FluidDensity(glycol, -20, -20), 0);
    EXPECT_EQ(FluidDensity(2, -10, -10), 0);     // protected to -10 °C only
    EXPECT_EQ(FluidDensity(glycol, 110, 90), 0); // a pair reaching past 100 °C
    EXPECT_EQ(FluidHeatCapacity(glycol, 110, 90), 0);
    EXPECT_EQ(FluidViscosity(glycol, 101, 80), 0); // the node above 100 °C
    EXPECT_GT(FluidViscosity(glycol, 100, 80), 0);
    EXPECT_EQ(FluidViscosity(2, 20, -1), 0); // the node below 0 °C
    EXPECT_GT(FluidViscosity(2, 20, 0), 0);

    EXPECT_EQ(AvailableFluids(),
              QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
}

TEST(FluidTables, OddLinesOfTheMixtureTableAreSkipped)
{
    const FluidRows rows = ParseFluidRows(u"# comment\n"
                                          "5\t20\t2.756\t1053\t3.497\r\n"
                                          "1\t20\t9\t9\t9\n"  // water is built in
                                          "18\t20\t9\t9\t9\n" // no such fluid
                                          "5\t25\t9\t9\t9\n"  // between the nodes
                                          "5\t170\t9\t9\t9\n" // above the table
                                          "5\t30\t9\t-9\t9\n" // not a density
                                          "5\t40\tx\t9\t9\n"  // not a number
                                          "5\t50\t9\t9\n"     // a value short
                                          "\t\t\t\t\n");
    int filled = 0;
    for (const auto& row : rows)
        for (const FluidNode& node : row)
            filled += node.density > 0;
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(rows[5][4].viscosity, 2.756);
    EXPECT_EQ(rows[5][4].density, 1053);
    EXPECT_EQ(rows[5][4].heatCapacity, 3.497);
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
        {12.34, 5, u"0.1258"}, {12.34, 13, u"0.1790"}, {0, 2, u""},
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
