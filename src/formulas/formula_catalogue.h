// The formula calculator's catalogue: 36 formulas in three groups, each with up to eight
// variable slots. A slot has a placeholder (the text it holds while its field is empty),
// the symbol the legend and the typeset formula draw, a unit, the caption entries of
// "MC_strings" for the legend, and whether it can be solved for.
//
// Everything about one formula stands in its one record (formula_records.cpp): the slots,
// the solve blocks, the steps of its symbol line and value line, and the rows of its
// legend. The solver, the renderer and the legend only read the record; the drawing steps
// are plain data that the renderer and the legend interpret.
//
// Formula numbers 0 … 8 are building services, 9 … 22 and 35 areas, 23 … 34 volumes;
// the selection lists show them in list order (FormulaNumberOf).
#pragma once

#include "formula_equations.h"

#include <QString>
#include <QStringList>

#include <vector>

enum class FormulaGroup { BuildingServices = 0, Areas = 1, Volumes = 2 };

// How a variable is written: V̇ (dot above), ρ (an italic p), Δp (a small triangle before
// p), Σζ, and an index drawn as a subscript.
struct FormulaSymbol {
    QString base;
    QString index;
    bool overdot = false;
    bool italic = false;
    bool delta = false;
    bool sigmaZeta = false;
};

enum class SlotSolve {
    Solved,      // a solve block computes it
    NotPossible, // asked for, it gives "Berechnung nicht möglich"
    Given,       // never solved: mirrors, the radiator exponent, the fixed side of a hexagon
};

struct FormulaSlot {
    QString placeholder;
    FormulaSymbol symbol;
    QString unit;          // "[m³/h]"; empty for areas, volumes and factors
    int caption = -1;      // "MC_strings" entry of the legend
    int caption2 = -1;     // second legend line, or -1
    QString captionSuffix; // " 1", " 2" after the caption
    int mirrorOf = -1;     // a disabled field repeating this slot's value
    SlotSolve solve = SlotSolve::Solved;
};

// One step of a line of the typeset formula. The pen starts at the line's left end; a
// step draws at the pen and leaves the pen at its end.
struct DrawStep {
    enum class Op {
        Text,           // `text`
        Var,            // slot `value`: its symbol, or its field; `index` replaces its index
        Power,          // the superscript digit `text`
        Pi,             // a drawn pi
        Italic,         // `text` in italic (rho, the corner dimension e)
        Subscripted,    // `text` with the index `index`, italic when `italic`
        Delta,          // a drawn delta, 14 pixels high
        FractionStart,  // the numerator starts `value` pixels right of the pen, 14 up
        FractionEnd,    // the bar, and the denominator `text` (`value`: its x in the symbol line)
        AfterNumerator, // the pen `value` pixels right of the last numerator, if not beyond
        RootStart,      // a small root over what follows …
        RootEnd,        // … up to here
        Layout,         // a whole line laid out by the renderer: DrawLayout `value`
    };
    Op op = Op::Text;
    int value = 0;
    QString text;
    QString index;
    bool italic = false;
};

// The formulas whose lines follow pixel rules of their own (the bar that grows field by
// field, the large root, the bracket of the radiator factor): the renderer lays them out.
enum class DrawLayout {
    VolumeFlow,
    MassFlow,
    Kv,
    KvInSeries,
    PressureFromKv,
    PressureFromZeta,
    RadiatorFactor
};

// The legend's columns: symbols, units (and the captions of areas and volumes), the values
// of constants, the captions of building-services rows.
namespace LegendColumn {
inline constexpr int Symbol = 5;
inline constexpr int Unit = 23;
inline constexpr int Constant = 33;
inline constexpr int Caption = 80;
} // namespace LegendColumn

// One item of the legend, at row `dy` (pixels below the legend's top, less 3).
struct LegendStep {
    enum class Op {
        Row,         // slot `slot`: symbol, unit and caption; a second caption line `gap` lower
        GeometryRow, // slot `slot`: symbol and caption (a second caption line 15 lower)
        Heading,     // the caption `caption`, underlined, at the left edge
        Text,        // `prefix`, the caption `caption` (if any) and `suffix`, at x
        Symbol,      // the symbol of slot `slot`
        Subscripted, // `prefix` in italic with the index `suffix`, at x
        DeltaP0,     // Δp₀
    };
    Op op = Op::Text;
    int dy = 0;
    int x = 0;
    int slot = 0;
    int caption = -1;
    int gap = 15;
    QString prefix;
    QString suffix;
};

// One formula's record: everything the solver, the renderer and the legend know of it.
struct FormulaInfo {
    int number = 0;
    FormulaGroup group = FormulaGroup::BuildingServices;
    QString item; // the text in the selection list
    std::vector<FormulaSlot> variables;
    std::vector<int> disabledFields;
    std::vector<int> readOnlyFields;
    std::vector<SolveBlock> solveBlocks;
    std::vector<DrawStep> symbolLine;
    std::vector<DrawStep> valueLine;
    std::vector<LegendStep> legend;
};

namespace FormulaCatalogue {

inline constexpr int FormulaCount = 36;
inline constexpr int SlotCount = 8;

const FormulaInfo& Formula(int number);

// The list item `index` of a group's selection list gives this formula number.
int FormulaNumberOf(FormulaGroup group, int index);
int ListIndexOf(int number);
QStringList GroupItems(FormulaGroup group);

struct GroupInfo {
    const char* tab;     // tsh_haustechnik …
    const char* caption; // "Haustechnik" …
    const char* list;    // cbo_formel …
    const char* promptLabel;
    const char* prompt;
    const char* fixEdit;   // edt_fix …
    const char* fixUpDown; // udo_fix …
    const char* fixLabel;  // lbl_fix …
};
const GroupInfo& Group(FormulaGroup group);

} // namespace FormulaCatalogue
