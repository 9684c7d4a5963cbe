// A fluid in a pipe: velocity, friction factor and pressure loss. Diameters and roughness in
// m, volume flow in m³/h, velocity in m/s, pressures in mbar.
#pragma once

#include "pipes/engine/fluid_tables.h"

// 0 for a diameter of 0.00001 m or less.
double PipeVelocity(double d, double volumeFlow);

// λ for the Reynolds number `re`, diameter `d` and roughness `k`: rough flow above
// Re·k/d = 1300, Colebrook-White from 65 to 1300, below 65 hydraulically smooth (laminar,
// Blasius, Nikuradse, Prandtl-Kármán by Re). The two implicit laws are iterated from 0.02
// until two values differ by less than 0.00001.
double FrictionFactor(double re, double d, double k);

// λ solving the Colebrook-White equation 1/√λ = -2·log10(ε/3.7 + 2.51/(Re·√λ)) for the
// relative roughness ε = k/d, to the last digits of a double: Clamond's method, two steps of
// a third-order iteration on the equation in logarithmic form from a fixed start. Laminar
// (64/Re) below Re = 2320, as the page's chain.
double ColebrookFriction(double re, double relativeRoughness);

// How the friction factor is found: the page's chain above, or the exact Colebrook-White
// solution.
enum class FrictionLaw { PageChain, Colebrook };

double FrictionFactor(double re, double d, double k, FrictionLaw law);

struct PressureLossResult {
    double total = 0; // Δp of the run and the single resistances
    double r = 0;     // R, the run's loss per metre (mbar/m)
};

// `length` in m, `zeta` the sum of the single resistances, `density` in kg/m³; the
// viscosity is the fluid's for the two temperatures (°C).
PressureLossResult PressureLoss(double volumeFlow, double length, double d, double k, double zeta,
                                double density, double tSupply, double tReturn, int fluid = Water,
                                FrictionLaw law = FrictionLaw::PageChain);
