#include "pipes/engine/pipe_hydraulics.h"

#include "pipes/engine/fluid_tables.h"

#include <cmath>
#include <numbers>

namespace {

// The implicit laws settle within a dozen steps; a value that never settles (a number
// that is none) must not hold the program.
constexpr int kMaxIterations = 1000;

double log10OrZero(double y)
{
    return y > 0 ? std::log10(y) : 0;
}

// y^a, with 0 for y = 0. A negative y cannot come here: powers are taken of Re ≥ 2320 only.
double power(double y, double a)
{
    return y > 0 ? std::pow(y, a) : 0;
}

template <typename Next> double iterate(Next next)
{
    double lambda = 0.02;
    for (int i = 0; i < kMaxIterations; ++i) {
        const double following = next(lambda);
        if (std::fabs(lambda - following) < 0.00001)
            return following;
        lambda = following;
    }
    return lambda;
}

double inverseSquare(double x)
{
    return 1 / (x * x);
}

} // namespace

double PipeVelocity(double d, double volumeFlow)
{
    if (d <= 0.00001)
        return 0;
    return 4 * volumeFlow / 3600 / std::numbers::pi / (d * d);
}

double FrictionFactor(double re, double d, double k)
{
    const double x = re * k / d;
    if (x > 1300)
        return inverseSquare(2 * log10OrZero(d / k) + 1.138);
    if (x >= 65)
        return iterate([&](double l) {
            return inverseSquare(-2 * log10OrZero(2.51 / (re * std::sqrt(l)) + (k / d) / 3.71));
        });
    if (re < 2320)
        return 64 / re;
    if (re < 100000)
        return 0.3164 * power(re, -0.25);
    if (re <= 1000000)
        return 0.0032 + 0.221 * power(re, -0.237);
    return iterate(
        [&](double l) { return inverseSquare(2 * log10OrZero(re * std::sqrt(l)) - 0.8); });
}

double ColebrookFriction(double re, double relativeRoughness)
{
    if (re < 2320)
        return 64 / re;
    // With F = ln(10)/2 · 1/√λ the equation reads F + ln(x1 + F) = x2.
    const double x1 = relativeRoughness * re * 0.123968186335417556; // ε·Re·ln10/18.574
    const double x2 = std::log(re) - 0.779397488455682028;           // ln(Re·ln10/5.02)
    double f = x2 - 0.2;
    for (int step = 0; step < 2; ++step) {
        const double e = (std::log(x1 + f) + f - x2) / (1 + x1 + f);
        f -= (1 + x1 + f + 0.5 * e) * e * (x1 + f) / (1 + x1 + f + e * (1 + e / 3));
    }
    f = 1.151292546497022842 / f; // ln(10)/2 / F = √λ
    return f * f;
}

double FrictionFactor(double re, double d, double k, FrictionLaw law)
{
    return law == FrictionLaw::Colebrook ? ColebrookFriction(re, k / d) : FrictionFactor(re, d, k);
}

PressureLossResult PressureLoss(double volumeFlow, double length, double d, double k, double zeta,
                                double density, double tSupply, double tReturn, int fluid,
                                FrictionLaw law)
{
    PressureLossResult result;
    if (volumeFlow <= 0 || d <= 0)
        return result;
    const double v = PipeVelocity(d, volumeFlow);
    const double dynamic = v * v * density * 0.005; // ρv²/2 in Pa, as mbar
    double run = 0;
    if (length > 0) {
        const double nu = FluidViscosity(fluid, tSupply, tReturn);
        const double re = v * d / nu;
        run = FrictionFactor(re, d, k, law) * length / d * dynamic;
        result.r = run / length;
    }
    result.total = zeta > 0 ? run + zeta * dynamic : run;
    return result;
}
