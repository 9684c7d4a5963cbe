// Properties of the fluids over temperature. Each table has a node every 10 °C from
// -20 °C to 160 °C; a node value of 0 means the fluid has no value there. Water (fluid 1)
// is built in; the glycol mixtures (fluids 2 … 16) come from the delivered table
// data/pipes/fluids.tsv, built into the program, and carry values only where their
// published fits hold. Air (fluid 17) has its name and no values.
#pragma once

#include <QList>
#include <QStringView>

#include <array>
#include <span>

inline constexpr int FluidCount = 17; // fluids 1 … 17; 0 is the placeholder
inline constexpr int Water = 1;
inline constexpr int FluidNodeCount = 19; // -20 °C … 160 °C

struct FluidNode {
    double viscosity = 0;    // mm²/s
    double density = 0;      // kg/m³
    double heatCapacity = 0; // kJ/(kg·K)
};
using FluidRows = std::array<std::array<FluidNode, FluidNodeCount>, FluidCount + 1>;

// Lines "fluid<TAB>°C<TAB>viscosity<TAB>density<TAB>heat capacity" of a fluid 2 … 17 at a
// node (a multiple of 10 from -20 to 160) with three positive values; "#" lines and any
// other line are skipped. Nodes without a line stay empty.
FluidRows ParseFluidRows(QStringView text);

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
