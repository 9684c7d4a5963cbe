// How the running calculation is written: into the expression line above the display and
// onto the tape. On the tape "=", "+", "-", "*", "/", the square root, "1/" and " e^"
// start a new line (the operator table says which); every other text is appended to the
// last line, so the tape reads like an adding machine's strip: 12 / +3 / *4 / =24.
#include "keypad_page_model.h"

#include "number_text.h"

void KeypadPageModel::write(const QString& text)
{
    m_display.ExpressionLine.append(text);
    m_tape.TapeAppend(text);
}

void KeypadPageModel::WriteOperatorText(Operator op, double x)
{
    if (m_display.ErrorState)
        return;
    // The first text after an error replaces the message in the expression line.
    if (ErrorTextShown) {
        m_display.ExpressionLine.clear();
        ErrorTextShown = false;
    }
    if (op != Operator::OpenParen)
        m_display.NewExpression = false;

    const OperatorInfo& info = Info(op);
    const QString& line = m_display.ExpressionLine;
    const bool onlyParens =
        op == Operator::CloseParen && !line.isEmpty() && line.count(u'(') == line.size();

    if ((m_current && !ParenJustClosed) || onlyParens) {
        const int position = m_current ? m_current->Index : 0;
        const bool first = position == 0;
        if (!onlyParens && !first) {
            // A postfix result already stands in the text, so its operand is not written
            // again.
            const OperatorKind earlier = KindOf(m_nodes[size_t(position - 1)]->OpNumber);
            const bool earlierWritten =
                earlier == OperatorKind::Postfix || earlier == OperatorKind::Percent;
            if (!earlierWritten && info.operand == OperandPlace::Before)
                write(fmt(x));
        } else if (!onlyParens && first && info.operand == OperandPlace::Before) {
            write(fmt(x));
        }
        // After a postfix key its result already stands in the text.
        if (op == Operator::CloseParen && !PostfixResultShown())
            write(fmt(x));
    }

    if (op == Operator::Equals)
        for (int i = 0; i < ParenDepth; ++i)
            write(QStringLiteral(")"));

    ParenJustClosed = false;

    m_display.ExpressionLine.append(ExpressionText(op));
    if (info.newTapeLine)
        m_tape.TapeNewLine(TapeText(op));
    else
        m_tape.TapeAppend(TapeText(op));

    if (m_display.PercentPressed)
        m_tape.TapeAppend(QStringLiteral(" (=") +
                          m_display.FormatMantissa(m_display.PercentText, MantissaStyle::Written) +
                          u')');

    if (HypArmed && info.angle != AngleUse::None) {
        m_display.ExpressionLine.append(ExpressionText(Operator::Hyperbolic));
        m_tape.TapeAppend(TapeText(Operator::Hyperbolic));
    }
    HypArmed = false;

    if (info.operand == OperandPlace::After)
        write(fmt(x));

    if (op == Operator::Equals) {
        // The result is written as the display shows it, with its power of ten.
        const QString result = ResultText(m_current->ResultValue);
        const int e = int(result.indexOf(u'E'));
        QString mantissa =
            m_display.FormatMantissa(e < 0 ? result : result.left(e), MantissaStyle::Display);
        QString power = e < 0 ? QString() : result.mid(e + 1);
        CarryIntoPowerOfTen(mantissa, power, m_display.FixDecimals, MantissaStyle::Display);
        write(power.isEmpty() ? mantissa : mantissa + u'E' + power);
    }
}
