// The formula calculator's catalogue: 36 formulas in three groups, each with up to eight
// variable slots. A slot has a placeholder (the text it holds while its field is empty),
// the symbol the legend and the typeset formula draw, a unit, the caption entries of
// "MC_strings" for the legend, and whether it can be solved for.
//
// Formula numbers 0 … 8 are building services, 9 … 22 and 35 areas, 23 … 34 volumes;
// the selection lists show them in list order (FormulaNumberOf).
#pragma once

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

struct FormulaInfo {
    int number = 0;
    FormulaGroup group = FormulaGroup::BuildingServices;
    QString item; // the text in the selection list
    std::vector<FormulaSlot> variables;
    std::vector<int> disabledFields;
    std::vector<int> readOnlyFields;
    QStringList legendConstants; // constant rows of the legend ("Δp₀ = 1000 mbar" …)
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
