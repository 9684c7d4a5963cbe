// Properties of the fluids over temperature. Each table has a node every 10 °C from
// -20 °C to 160 °C; a node value of 0 means the fluid has no value there. This build
// carries water (fluid 1) only: the other fluids have their names and no values, since no
// published table at hand gives their mixtures at these nodes.
#pragma once

#include <QList>
#include <QStringView>

#include <span>

inline constexpr int FluidCount = 17; // fluids 1 … 17; 0 is the placeholder
inline constexpr int Water = 1;

// "undefiniert", "Wasser", … "Luft", by fluid number 0 … 17.
std::span<const QStringView> FluidNames();

// The fluids that carry values, in number order: those the pipe page offers.
QList<int> AvailableFluids();

// A property for a supply and a return temperature in °C, in either order. Temperatures
// above 160 °C take the 160 °C values; outside the tables (below -20 °C) the value is 0,
// as for a node without a value.
double FluidViscosity(int fluid, double t1, double t2);    // m²/s
double FluidDensity(int fluid, double t1, double t2);      // kg/m³
double FluidHeatCapacity(int fluid, double t1, double t2); // Wh/(kg·K)
