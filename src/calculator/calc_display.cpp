#include "calc_display.h"

void CalcDisplay::ClearDisplay()
{
    Mantissa.clear();
    Exponent.clear();
}

void CalcDisplay::ShowNumber(const QString& text)
{
    ClearDisplay();
    if (text.isEmpty())
        return;
    bool inExponent = false;
    for (QChar c : text) {
        if (c == u',')
            c = u'.';
        // A pasted memory value may write its power of ten with a small "e".
        if (c == u'E' || c == u'e') {
            inExponent = true;
            continue;
        }
        (inExponent ? Exponent : Mantissa).append(c);
    }
    if (PercentPressed)
        PercentText = FormatMantissa(text, MantissaStyle::Written);
    Mantissa = FormatMantissa(Mantissa, MantissaStyle::Display);
    CarryIntoPowerOfTen(Mantissa, Exponent, FixDecimals, MantissaStyle::Display);
    // A pasted memory value of more than fifteen digits beside the power of ten already shown.
    if (const auto own = SplitPowerOfTen(Mantissa); own && !Exponent.isEmpty()) {
        Exponent = QString::number(own->power + Exponent.toInt());
        Mantissa = own->mantissa;
    }
}

void CalcDisplay::ShowError(int n)
{
    ExpressionLine = Texts.ErrorMessage(n);
    Mantissa = QStringLiteral(" E R R O R");
    NewExpression = true;
    ErrorState = true;
}

void CalcDisplay::clearCalculation()
{
    if (ClearCalculation) {
        ClearCalculation();
        return;
    }
    ClearDisplay();
    ExpressionLine.clear();
}

void CalcDisplay::StartFixEntry()
{
    clearCalculation();
    FixEntryMode = true;
    ExpressionLine = Texts.fixPrompt;
}

bool CalcDisplay::SetFixDecimals(QChar c)
{
    if (c == u'.')
        FixDecimals = -1;
    else if (c >= u'0' && c <= u'9')
        FixDecimals = c.unicode() - u'0';
    else
        return false;
    FixEntryMode = false;
    clearCalculation();
    if (FixDecimalsChanged)
        FixDecimalsChanged();
    return true;
}

bool CalcDisplay::ChooseFixDecimals(int position)
{
    if (position < 0 || position > 9)
        return false;
    return SetFixDecimals(QString::number(position).front());
}

QString CalcDisplay::FixIndicator() const
{
    return FixDecimals == -1 ? QStringLiteral("~") : QString::number(FixDecimals);
}
