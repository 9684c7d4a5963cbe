// The keypad calculator's number display as plain data: the mantissa field edt_result, the
// power-of-ten field edt_result10hoch and the expression line edt_result_normal, with the
// fixed number of decimals that the keypad and the formula page share.
//
// A computed value reaches the display as a number text (ResultText): ShowNumber splits it
// at the "E", and FormatMantissa pads or rounds the mantissa to FixDecimals decimals.
#pragma once

#include "calculator_texts.h"
#include "number_text.h"

#include <QString>

#include <functional>

class CalcDisplay {
public:
    // The texts the page copies into its widgets.
    QString Mantissa;       // edt_result
    QString Exponent;       // edt_result10hoch
    QString ExpressionLine; // edt_result_normal
    // Which entry field holds the keyboard focus (None: focus is elsewhere).
    enum class EntryField { None, Mantissa, Exponent };
    EntryField FocusedField = EntryField::Mantissa;

    // Decimals: -1 free (general format), else 0 … 9; 9 at start-up.
    int FixDecimals = 9;
    bool FixEntryMode = false; // the next digit or decimal key sets FixDecimals

    // Flags of the running calculation that the display reads or sets.
    bool PercentPressed = false;
    QString PercentText;
    bool NewExpression = true;
    bool ErrorState = false;

    CalculatorTexts Texts;

    // Runs when the fix key clears the calculation; the keypad controller puts its own
    // ClearCalculation here. Without one, the display and expression line are emptied.
    std::function<void()> ClearCalculation;
    // Runs after SetFixDecimals changed the decimals, so that other pages reformat.
    std::function<void()> FixDecimalsChanged;

    void ShowNumber(const QString& text);
    void ClearDisplay();
    void ShowError(int n);
    // A number text with the shared FixDecimals, for the place `style` names.
    QString FormatMantissa(const QString& text, MantissaStyle style) const
    {
        return ::FormatMantissa(text, FixDecimals, style);
    }

    // edt_result10hoch if it has the focus, else edt_result.
    EntryField ActiveEntryField() const
    {
        return FocusedField == EntryField::Exponent ? EntryField::Exponent : EntryField::Mantissa;
    }

    void StartFixEntry();
    // "0" … "9" set the decimals, "." frees them; returns false for any other character.
    bool SetFixDecimals(QChar c);
    // The formula page's up-down controls (positions 0 … 9) choose the decimals the same way.
    bool ChooseFixDecimals(int position);
    // What lbl_fix_anzeige shows: "~" for free decimals, else the number.
    QString FixIndicator() const;

private:
    void clearCalculation();
};
