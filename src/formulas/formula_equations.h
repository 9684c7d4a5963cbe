// A formula's solve blocks: which slot a block solves, which slots it needs, and its
// equation, evaluated in extended precision in the order the equation is written. The
// blocks stand in the formula's record (formula_catalogue.h).
#pragma once

#include <QString>

#include <array>
#include <vector>

using SlotValues = std::array<long double, 8>;

struct SolveBlock {
    enum class Kind {
        Compute,     // computes the slot under the usual gate
        NotPossible, // shows "Berechnung nicht möglich" and computes nothing
        Always,      // computes whenever its slots are valid; the choice of result is untouched
    };

    int slot = 0;
    std::vector<int> needs; // empty: every other slot of the formula
    long double (*equation)(const SlotValues& v) = nullptr;
    Kind kind = Kind::Compute;
    bool focusGate = true;           // the gate also asks that the slot's field lacks the focus
    bool onlyWhenFieldEmpty = false; // solves only a slot whose field the user emptied
};

// The blocks of a formula's record; none for a number outside the catalogue.
const std::vector<SolveBlock>& SolveBlocks(int formulaNumber);

// The radiator enlargement factor's exponent, read as typed: "," or "." as separator,
// anything after the number ignored, 0 when nothing converts.
long double TolerantExponent(const QString& text);
