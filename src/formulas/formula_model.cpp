#include "formula_model.h"

#include "calculator/float_guard.h"
#include "calculator/number_text.h"
#include "formula_equations.h"

#include <algorithm>

namespace {
constexpr int kRadiatorFactor = 8;
constexpr int kExponentSlot = 7;
// No. 8: a factor formatted just below 1 is shown as 1.
constexpr double kSnapBound = 0.9999;
} // namespace

FormulaModel::FormulaModel(CalcDisplay& display, const McStrings& captions)
    : m_display(display), m_captions(captions)
{}

void FormulaModel::FillVariableSet(FillSender sender, int selectedFormula)
{
    if (RecolourFields)
        for (auto& field : Fields)
            field.colour = FieldColour::Input;
    RecolourFields = true;
    Variables.Rebuild = false;

    if (sender == FillSender::Field) {
        for (int i = 0; i < FormulaCatalogue::SlotCount; ++i)
            Variables.Texts[size_t(i)] = Fields[size_t(i)].text;
        return;
    }

    for (auto& field : Fields) {
        field.enabled = true;
        field.readOnly = false;
    }
    Variables.Rebuild = true;
    SymbolLine = true;
    if (selectedFormula >= 0)
        Variables.FormulaNumber = selectedFormula;
    const FormulaInfo& formula = FormulaCatalogue::Formula(Variables.FormulaNumber);
    for (int i = 0; i < FormulaCatalogue::SlotCount; ++i) {
        VariableField& field = Fields[size_t(i)];
        const bool used = i < int(formula.variables.size());
        const FormulaSlot* slot = used ? &formula.variables[size_t(i)] : nullptr;
        // A mirror shows its placeholder while its source is empty.
        const bool empty =
            slot && slot->mirrorOf >= 0
                ? Fields[size_t(slot->mirrorOf)].text.isEmpty() || field.text.isEmpty()
                : field.text.isEmpty();
        if (!empty)
            continue;
        const QString placeholder = slot ? slot->placeholder : QString();
        Variables.Texts[size_t(i)] = placeholder;
        field.text = placeholder; // the renderer writes the slot into its field
    }
    for (int i : formula.disabledFields)
        Fields[size_t(i)].enabled = false;
    for (int i : formula.readOnlyFields)
        Fields[size_t(i)].readOnly = true;
}

std::optional<double> FormulaModel::SlotValue(int slot) const
{
    if (slot < 0 || slot >= FormulaCatalogue::SlotCount)
        return std::nullopt;
    const QString& text = Variables.Texts[size_t(slot)];
    if (!IsNumberText(text))
        return std::nullopt;
    return ParseNumber(ToComma(text));
}

bool FormulaModel::SlotValid(int slot) const
{
    return SlotValue(slot).has_value();
}

void FormulaModel::ResetChoice()
{
    ResultSlot = -1;
    FreeChoice = true;
}

QString FormulaModel::NoticeText() const
{
    switch (Notice) {
    case FormulaNotice::InvalidInput:
        return m_captions.Entry(61) + QStringLiteral(" !!");
    case FormulaNotice::NotPossible:
        return m_captions.Entry(62) + QStringLiteral(" !!");
    case FormulaNotice::Hidden:
        break;
    }
    return {};
}

void FormulaModel::refreshMirrors()
{
    const FormulaInfo& formula = FormulaCatalogue::Formula(Variables.FormulaNumber);
    for (int i = 0; i < int(formula.variables.size()); ++i) {
        const int source = formula.variables[size_t(i)].mirrorOf;
        if (source < 0)
            continue;
        const QString& text = Fields[size_t(source)].text;
        if (text.isEmpty() || !IsNumberText(text))
            continue;
        Fields[size_t(i)].text = text;
        Variables.Texts[size_t(i)] = text;
    }
}

bool FormulaModel::gateOpen(int slot, bool focusGate) const
{
    if (ResultSlot == slot)
        return true;
    return FreeChoice && (!focusGate || FocusedField != slot);
}

void FormulaModel::writeResult(int slot, double value)
{
    QString text = m_display.FormatMantissa(GeneralText(value), MantissaStyle::Formula);
    if (Variables.FormulaNumber == kRadiatorFactor && slot == 0) {
        const double shown = ParseNumber(ToComma(text)).value_or(0);
        if (shown > kSnapBound && shown < 1)
            text = QStringLiteral("1");
    }
    Variables.Texts[size_t(slot)] = text;
    Fields[size_t(slot)].text = text;
    Fields[size_t(slot)].colour = FieldColour::Result;
}

void FormulaModel::EvaluateFormula()
{
    Notice = FormulaNotice::Hidden;
    if (EvaluatePending) {
        for (int i = 0; i < kExponentSlot; ++i)
            Variables.Texts[size_t(i)].replace(u'.', u',');
        refreshMirrors();

        const int number = Variables.FormulaNumber;
        const FormulaInfo& formula = FormulaCatalogue::Formula(number);
        const int slotCount = int(formula.variables.size());
        for (const SolveBlock& block : SolveBlocks(number)) {
            if (block.kind != SolveBlock::Kind::Always && !gateOpen(block.slot, block.focusGate))
                continue;
            if (block.onlyWhenFieldEmpty && !Fields[size_t(block.slot)].text.isEmpty() &&
                Fields[size_t(block.slot)].text !=
                    formula.variables[size_t(block.slot)].placeholder)
                continue;
            std::vector<int> needed = block.needs;
            if (needed.empty())
                for (int i = 0; i < slotCount; ++i)
                    if (i != block.slot)
                        needed.push_back(i);
            if (!std::all_of(needed.begin(), needed.end(), [this](int i) { return SlotValid(i); }))
                continue;
            if (block.kind == SolveBlock::Kind::NotPossible) {
                ShowNotPossible();
                continue;
            }

            SlotValues values{};
            for (int i = 0; i < slotCount; ++i)
                values[size_t(i)] = SlotValue(i).value_or(0.0);
            if (number == kRadiatorFactor)
                values[kExponentSlot] = TolerantExponent(Variables.Texts[kExponentSlot]);
            double result = 0;
            const FloatFault fault = RunGuarded([&] { return block.equation(values); }, result);
            // A result too small for a double is shown as it comes out, not refused.
            if (fault != FloatFault::None && fault != FloatFault::Underflow) {
                ShowInvalidInput();
                continue;
            }
            writeResult(block.slot, result);
            Notice = FormulaNotice::Hidden;
            if (block.kind == SolveBlock::Kind::Always)
                continue;
            ResultSlot = block.slot;
            FreeChoice = false;
        }
        refreshMirrors();
        EvaluatePending = false;
    }
}
