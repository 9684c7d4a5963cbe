// The keypad calculator's controller: turns digit, operator, parenthesis and function keys
// (clicked or typed) into display texts, operator nodes, the expression line and the tape.
//
// Flow: a digit extends the number in the display; an accepted operator creates a node
// (operator_nodes.h) with the display value, which links itself by priority and computes
// whatever it resolves; WriteOperatorText then writes the operator into the expression
// line and onto the tape. "=" closes open parentheses, resolves the whole chain and resets
// the calculation; the result stays in the display as the next first operand.
#pragma once

#include "common/calc_display.h"
#include "common/key_filter.h"
#include "common/mc_strings.h"
#include "common/memory_slots.h"
#include "common/shared_registers.h"
#include "keypad/engine/calculation_tape.h"
#include "keypad/engine/operator_nodes.h"

#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct KeypadKey;

class KeypadPageModel : public OperatorContext, public SharedRegisters {
public:
    static constexpr int MaxParenDepth = 20;
    static constexpr int MantissaDigits = 14;
    static constexpr int ExponentDigits = 2;

    KeypadPageModel(CalcDisplay& display, KeyFilterServices services);
    ~KeypadPageModel() override;
    KeypadPageModel(const KeypadPageModel&) = delete;
    KeypadPageModel& operator=(const KeypadPageModel&) = delete;

    CalcDisplay& Display() override { return m_display; }
    const CalculationTape& Tape() const { return m_tape; }
    CalculationTape& Tape() { return m_tape; }
    MemorySlots& Memory() override { return m_memory; }

    // A key of the keypad table that the calculator handles itself: digits, operators,
    // parentheses, constants, sign, clear, hyp, fix and the angle modes. False for the keys
    // the page handles (memory, tape).
    bool RunKey(const KeypadKey& key);

    // Keys of the keypad page.
    void DigitPressed(int digit); // 0 … 9, 10 (DecimalKeyValue) the decimal key
    void OperatorPressed(Operator op);
    void ParenthesisPressed(bool opening);
    void ClearCalculation();
    void HypPressed();
    void PlusMinus();
    void PiPressed();
    void EulerPressed();
    void SetAngleMode(AngleMode mode) { m_angleMode = mode; }
    AngleMode GetAngleMode() const { return m_angleMode; }
    // After a change of angle mode the page draws the lamps from the delivered files; when
    // it could not read them, this is the message to show (the mode is set all the same).
    static std::optional<ProgramMessage> AngleLampMessage(AngleMode mode, bool lampsRead,
                                                          const McStrings& texts);

    // Memory keys on the keypad page, for the slot selected in its grid.
    void StoreInMemory(int slot);
    void RecallMemory(int slot);
    void ClearMemory(int slot) { m_memory.Clear(slot); }
    // A result line of the tape ("=" and a number) into the display as a recalled value;
    // false, and nothing changes, for any other line.
    bool RecallTapeLine(const QString& line);
    // Ctrl+C / Ctrl+V in a memory grid on the slot selected there; true when handled.
    bool MemoryGridKey(int slot, char16_t key) override;

    // Typed keys in edt_result and edt_result10hoch. The controller owns the texts of both
    // fields: it applies every character key itself (the caret stays at the end), so the
    // page only shows the display afterwards. `wholeTextSelected`: the field's whole text
    // is selected, so that typing replaces it.
    void MantissaKeyTyped(char16_t key, bool wholeTextSelected);
    void ExponentKeyTyped(char16_t key, bool wholeTextSelected);
    // A change made by the field itself rather than by a typed character (Delete, a cut
    // with the mouse). Taken only when the field then still holds a number, or nothing;
    // false when it was refused, so that the page shows the display again.
    bool EntryEdited(CalcDisplay::EntryField field, const QString& text);

    // The display as one number text: mantissa, and "E" with the exponent if there is one.
    QString DisplayText() const;

    // Keys whose image plays the press animation when typed: its objectName.
    std::function<void(const QString& keyName)> AnimateKey;

    // OperatorContext
    OperatorNode* CurrentOperator() const override { return m_current; }
    AngleMode Angle() const override { return m_angleMode; }
    bool InErrorState() const override { return m_display.ErrorState; }
    void ReportError(CalcError error) override;
    void ShowResult(double value) override;

    // State of the running calculation.
    int ParenDepth = 0;
    bool OperatorJustEntered = false;
    bool LastWasEquals = true;
    bool ResultShown = false;
    bool ConstantShown = false;
    bool HypArmed = false;
    bool KeySinceParen = false;
    bool ParenAfterParen = false;
    bool ParenJustClosed = false;
    // A ")" closed a group whose nodes the next operator computes first.
    bool GroupClosed = false;
    // The expression line holds an error message rather than a calculation.
    bool ErrorTextShown = false;
    int NodeCount() const { return int(m_nodes.size()); }

private:
    bool AcceptOperator(Operator op) const;
    void CreateOperator(Operator op);
    double ResolveClosedGroup(double x);
    // A postfix key (or percent) was the last key: its result stands in the display.
    bool PostfixResultShown() const;
    void WriteOperatorText(Operator op, double x);
    void pasteIntoDisplay(bool wholeTextSelected);
    void write(const QString& text);
    QString fmt(double x) const;
    void showConstant(double value);
    void FilterCalcKey(bool exponent, int limit, bool wholeTextSelected, char16_t key);
    void animate(const KeypadKey& key);

    CalcDisplay& m_display;
    KeyFilterServices m_services;
    CalculationTape m_tape;
    MemorySlots m_memory;
    AngleMode m_angleMode = AngleMode::Degrees;
    std::vector<std::unique_ptr<OperatorNode>> m_nodes;
    OperatorNode* m_current = nullptr;
};
