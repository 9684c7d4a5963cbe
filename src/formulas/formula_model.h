// The formula page as plain data: the variable set FormulaVariables, the eight variable fields
// (text, enabled, read-only, colour), the choice of the result slot and the notice.
//
// Solving: when a field changes, FillVariableSet copies the fields into the set and
// EvaluateFormula tries the formula's solve blocks in slot order. A block fires when its
// slot is the chosen result slot, or no result is chosen yet and its field does not have
// the focus, and every slot it needs holds a number. The first block that succeeds fixes
// the result slot until the choice is reset (new formula, clearing, a field emptied).
#pragma once

#include "calculator/calc_display.h"
#include "calculator/mc_strings.h"
#include "formula_catalogue.h"

#include <QString>

#include <array>
#include <optional>

struct FormulaVariables {
    std::array<QString, FormulaCatalogue::SlotCount> Texts;
    int FormulaNumber = 0;
    bool Rebuild = false;
};

enum class FieldColour { Input, Result }; // blue, green

struct VariableField {
    QString text;
    bool enabled = true;
    bool readOnly = false;
    FieldColour colour = FieldColour::Input;
};

enum class FormulaNotice { Hidden, InvalidInput, NotPossible };

// Who asks for the variable set: a selection (formula, tab, page control, clearing), or a
// field or up-down control.
enum class FillSender { Selection, Field };

class FormulaModel {
public:
    static constexpr int NoField = -1;

    FormulaModel(CalcDisplay& display, const McStrings& captions);

    FormulaVariables Variables;
    std::array<VariableField, FormulaCatalogue::SlotCount> Fields;

    int ResultSlot = -1;
    bool FreeChoice = true;
    bool EvaluatePending = false;
    bool RecolourFields = true;
    bool SymbolLine = false;    // the renderer draws the symbol line too
    int FocusedField = NoField; // the variable field with the keyboard focus
    FormulaNotice Notice = FormulaNotice::Hidden;

    // Fills the variable set from the fields. A selection call puts the placeholders of
    // `selectedFormula` into its empty slots and sets the formula's special fields.
    void FillVariableSet(FillSender sender, int selectedFormula = -1);

    // The number in slot i: "." and "," both read as the separator; nothing when the text
    // is no number.
    std::optional<double> SlotValue(int slot) const;
    bool SlotValid(int slot) const;

    // One evaluation pass (only while EvaluatePending holds).
    void EvaluateFormula();

    // Resets the choice of result slot, as a new selection or an emptied field does.
    void ResetChoice();

    void ShowInvalidInput() { Notice = FormulaNotice::InvalidInput; }
    void ShowNotPossible() { Notice = FormulaNotice::NotPossible; }
    // The notice as the page writes it: "Ungültige Eingabe !!"; empty while hidden.
    QString NoticeText() const;

private:
    void refreshMirrors();
    bool gateOpen(int slot, bool focusGate) const;
    void writeResult(int slot, double value);

    CalcDisplay& m_display;
    const McStrings& m_captions;
};
