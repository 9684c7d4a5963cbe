// How the running calculation is written: into the expression line above the display and
// onto the tape. On the tape "=", "+", "-", "*", "/", the square root, "1/" and " e^"
// start a new line; every other text is appended to the last line, so the tape reads
// like an adding machine's strip: 12 / +3 / *4 / =24.
#include "keypad_controller.h"

#include "number_text.h"

namespace {

bool startsTapeLine(int op)
{
    return (op >= Op::Equals && op <= Op::Divide) || op == Op::SquareRoot || op == Op::Reciprocal ||
           op == Op::Exp;
}

// Postfix results already stand in the text, so the operand is not written again.
bool isWrittenPostfix(int op)
{
    return Op::IsPostfix(op) || op == Op::Percent;
}

bool writesOperandAfterEarlierNode(int op)
{
    return (op >= Op::Equals && op <= Op::Square) || op == Op::Power || op == Op::Root ||
           op == Op::Factorial || op == Op::Percent;
}

// Prefix functions, 1/x and e^x write their operand after their text; parentheses have none.
bool operandFollowsText(int op)
{
    return op == Op::SquareRoot || (op >= Op::Sin && op <= Op::Reciprocal) || op == Op::Exp ||
           op == Op::OpenParen || op == Op::CloseParen || op == Op::Hyperbolic;
}

bool takesHyperbolicSuffix(int op)
{
    return (op >= Op::Sin && op <= Op::Cot) || (op >= Op::ArcSin && op <= Op::ArcCot);
}

} // namespace

void KeypadController::write(const QString& text)
{
    m_display.ExpressionLine.append(text);
    m_tape.TapeAppend(text);
}

void KeypadController::operator_textausgabe(int op, double x)
{
    if (m_display.ErrorState)
        return;
    // The first text after an error replaces the message in the expression line.
    if (ErrorTextShown) {
        m_display.ExpressionLine.clear();
        ErrorTextShown = false;
    }
    if (op != Op::OpenParen)
        m_display.NewExpression = false;

    const QString& line = m_display.ExpressionLine;
    const bool onlyParens =
        op == Op::CloseParen && !line.isEmpty() && line.count(u'(') == line.size();

    if ((m_current && !ParenJustClosed) || onlyParens) {
        const int position = m_current ? m_current->Index : 0;
        const bool first = position == 0;
        if (!onlyParens && !first) {
            const int earlier = m_nodes[size_t(position - 1)]->OpNumber;
            if (!isWrittenPostfix(earlier) && writesOperandAfterEarlierNode(op))
                write(fmt(x));
        } else if (!onlyParens && first && !operandFollowsText(op)) {
            write(fmt(x));
        }
        if (op == Op::CloseParen)
            write(fmt(x));
    }

    if (op == Op::Equals)
        for (int i = 0; i < ParenDepth; ++i)
            write(QStringLiteral(")"));

    ParenJustClosed = false;

    const QString text = QString::fromLatin1(Op::DisplayText(op));
    m_display.ExpressionLine.append(text);
    if (startsTapeLine(op))
        m_tape.TapeNewLine(text);
    else
        m_tape.TapeAppend(text);

    if (m_display.PercentPressed)
        m_tape.TapeAppend(QStringLiteral(" (=") + m_display.FormatMantissa(m_display.PercentText) +
                          u')');

    if (HypArmed && takesHyperbolicSuffix(op)) {
        const QString h = QString::fromLatin1(Op::DisplayText(Op::Hyperbolic));
        m_display.ExpressionLine.append(h);
        m_tape.TapeAppend(h);
    }
    HypArmed = false;

    if (op == Op::Reciprocal || op == Op::Exp)
        write(fmt(x));

    if (op == Op::Equals) {
        const QString result = ResultText(m_current->ResultValue);
        const int e = int(result.indexOf(u'E'));
        m_display.DisplayFormatting = true;
        QString written = m_display.FormatMantissa(e < 0 ? result : result.left(e));
        m_display.DisplayFormatting = false;
        if (e >= 0)
            written += result.mid(e);
        write(written);
    }
}
