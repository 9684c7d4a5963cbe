// The unit converter's fixed tables: fourteen quantities, each with its grid, panel and
// radio button, and the units its grid shows row by row.
//
// A factor is the number of that unit that make up one reference unit of the quantity
// (1 bar = 1000 mbar, so bar has the factor 0.001 against mbar). Temperature is affine
// and the number systems are not factors at all; their rows only carry names here.
// The pressure and volume-flow tables are shared with the pipe-sizing page.
#pragma once

#include <QStringList>
#include <QStringView>

#include <span>

struct UnitEntry {
    QStringView name;
    double factor = 1;
    bool marked = false; // mass flow of water at 60 °C: the grid appends " *"
};

using UnitTable = std::span<const UnitEntry>;

UnitTable PressureUnits();   // reference mbar
UnitTable VolumeFlowUnits(); // reference m³/h

// The names of a table's units, in row order.
QStringList NamesOf(UnitTable units);

enum class ConversionKind { Factor, Temperature, NumberSystems, Wind };

struct Quantity {
    int grid; // 1 … 14, the digits at positions 5 and 6 of the grid's name
    QStringView gridName;
    QStringView panelName;
    int radio;           // 0 … 13, the last two digits of the radio button's name
    QStringView caption; // radio button and label caption
    int decimals;        // decimals of a computed value
    ConversionKind kind;
    UnitTable units;
};

inline constexpr int QuantityCount = 14;

// Every quantity in grid order (grid 1 first).
std::span<const Quantity> Quantities();
// The quantity of grid 1 … 14; nullptr for any other number.
const Quantity* QuantityOfGrid(int grid);
// The quantity of radio button 0 … 13; nullptr for any other number.
const Quantity* QuantityOfRadio(int radio);
// The grid number read from a grid's name ("sgr_01_druck" gives 1); 0 when there is none.
int GridNumber(QStringView gridName);
