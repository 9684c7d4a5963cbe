#include "keypad/engine/keypad_page_model.h"

#include "common/key_chars.h"
#include "common/number_text.h"
#include "keypad/engine/keypad_table.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.1415926535897932385;

int digitCount(const QString& text)
{
    int n = 0;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9')
            ++n;
    return n;
}

// The display's value; a text that does not convert (the error text) counts as 0. At the top
// of the double range the shown digits round beyond it ("1.80E308" for the largest double
// with two decimals): such a display stands for the largest double, not for 0.
double displayValue(const QString& text)
{
    const QString t = ToComma(text);
    if (const auto value = ParseNumber(t))
        return *value;
    const qsizetype e = t.indexOf(u'E');
    if (e > 0 && t.mid(e + 1).toInt() == 308)
        if (const auto mantissa = ParseNumber(t.left(e)); mantissa && std::fabs(*mantissa) < 10)
            return std::copysign(std::numeric_limits<double>::max(), *mantissa);
    return 0.0;
}

} // namespace

KeypadPageModel::KeypadPageModel(CalcDisplay& display, KeyFilterServices services)
    : m_display(display), m_services(services)
{
    // The fix key and the choice of decimals clear the whole running calculation.
    m_display.ClearCalculation = [this] { ClearCalculation(); };
}

KeypadPageModel::~KeypadPageModel()
{
    m_display.ClearCalculation = nullptr;
}

QString KeypadPageModel::DisplayText() const
{
    if (m_display.Exponent.isEmpty())
        return m_display.Mantissa;
    // A power of ten typed beside a long mantissa's own multiplies it.
    bool typedRead = false;
    const int typed = m_display.Exponent.toInt(&typedRead);
    if (const auto own = SplitPowerOfTen(m_display.Mantissa); own && typedRead)
        return own->mantissa + u'E' + QString::number(own->power + typed);
    return m_display.Mantissa + u'E' + m_display.Exponent;
}

void KeypadPageModel::ReportError(CalcError error)
{
    m_display.ShowError(int(error));
    ErrorTextShown = true;
}

void KeypadPageModel::ShowResult(double value)
{
    m_display.ShowNumber(ResultText(value));
}

QString KeypadPageModel::fmt(double x) const
{
    return m_display.FormatMantissa(ResultText(x), MantissaStyle::Written);
}

void KeypadPageModel::animate(const KeypadKey& key)
{
    if (AnimateKey)
        AnimateKey(QString::fromLatin1(key.objectName));
}

bool KeypadPageModel::RunKey(const KeypadKey& key)
{
    switch (key.kind) {
    case KeyKind::Digit:
        DigitPressed(key.value);
        return true;
    case KeyKind::Operator:
        OperatorPressed(key.op);
        return true;
    case KeyKind::Paren:
        ParenthesisPressed(key.value == 0);
        return true;
    case KeyKind::Constant:
        key.value == 0 ? PiPressed() : EulerPressed();
        return true;
    case KeyKind::Sign:
        PlusMinus();
        return true;
    case KeyKind::Clear:
        ClearCalculation();
        return true;
    case KeyKind::Hyp:
        HypPressed();
        return true;
    case KeyKind::Fix:
        m_display.StartFixEntry();
        return true;
    case KeyKind::Angle:
        SetAngleMode(AngleMode(key.value));
        return true;
    case KeyKind::Memory:
    case KeyKind::Tape:
        break;
    }
    return false;
}

std::optional<ProgramMessage> KeypadPageModel::AngleLampMessage(AngleMode mode, bool lampsRead,
                                                                const McStrings& texts)
{
    if (lampsRead)
        return std::nullopt;
    // The digit after the message tells which lamp was being lit: 2 degrees, 3 radians,
    // 4 grads.
    return texts.MissingFilesMessage(int(mode) + 2);
}

// --- digits ---------------------------------------------------------------------------

void KeypadPageModel::DigitPressed(int digit)
{
    KeySinceParen = true;
    if (ConstantShown) {
        m_display.Mantissa.clear();
        ConstantShown = false;
    }
    const QChar c = digit == DecimalKeyValue ? QChar(u'.') : QChar(char16_t(u'0' + digit));
    // The point is refused only when the number being entered has one: right after an
    // operator that is the new operand, not the one still standing in the display.
    const bool startsOperand = OperatorJustEntered;
    const QString& operand = startsOperand ? QString() : m_display.Mantissa;
    if (c == u'.' && (operand.contains(u'.') || operand.contains(u',')))
        return;
    if (startsOperand)
        m_display.ClearDisplay();
    OperatorJustEntered = false;
    HypArmed = false;

    if (m_display.FixEntryMode) {
        m_display.SetFixDecimals(c);
        return;
    }
    const bool exponent = m_display.ActiveEntryField() == CalcDisplay::EntryField::Exponent;
    QString& target = exponent ? m_display.Exponent : m_display.Mantissa;
    if (digitCount(target) >= (exponent ? ExponentDigits : MantissaDigits))
        return;
    if (c == u'.') {
        if (exponent)
            return;
        target = target.isEmpty() ? QStringLiteral("0.") : target + c;
    } else if (target == u"0") {
        target = c;
    } else {
        target += c;
    }
}

// --- operators ------------------------------------------------------------------------

bool KeypadPageModel::AcceptOperator(Operator op) const
{
    const Operator last = m_current ? m_current->OpNumber : Operator::Equals;
    if (OperatorJustEntered) {
        if ((IsBinary(last) || IsPrefix(last)) && (IsBinary(op) || IsPostfix(op)))
            return false;
        if (IsPostfix(last) && IsPrefix(op))
            return false;
        return op != Operator::Percent;
    }
    const bool percentFirst = op == Operator::Percent && last == Operator::Equals;
    if (m_display.NewExpression)
        return !percentFirst;
    // A number has been typed into a running calculation: a prefix function's operand
    // would have to follow it.
    if (IsPrefix(op))
        return false;
    return !percentFirst;
}

void KeypadPageModel::CreateOperator(Operator op)
{
    if (!AcceptOperator(op))
        return;
    OperatorJustEntered = true;
    double x = displayValue(DisplayText());
    if (GroupClosed)
        x = ResolveClosedGroup(x);
    auto node = MakeOperator(op, *this);
    const bool hyp = IsPrefix(op) && HypArmed;
    node->Create(hyp, x, ParenDepth, op, int(m_nodes.size()));
    m_current = node.get();
    m_nodes.push_back(std::move(node));
    if (!m_display.ErrorState)
        WriteOperatorText(op, x);
    if (op == Operator::Equals)
        m_display.NewExpression = true;
}

// The nodes of a group closed by ")" are computed when the next operator arrives, before it
// takes its operand: the operator then works on the group's value, so that a postfix key
// squares the whole group (2 ^ (1 + 3) x² is 2 ^ 16) and the node waiting outside the group
// gets that value as its right operand. Returns the group's value.
double KeypadPageModel::ResolveClosedGroup(double x)
{
    GroupClosed = false;
    if (!m_current || m_current->Level <= ParenDepth)
        return x;
    OperatorNode* inside = m_current;
    OperatorNode* last = inside;
    while (last->HasPending && last->Pending->Level > ParenDepth)
        last = last->Pending;
    OperatorNode* outside = last->HasPending ? last->Pending : nullptr;
    last->HasPending = false;
    last->Pending = nullptr;
    inside->RightValue = x;
    inside->Evaluate();
    m_current = outside;
    return m_display.ErrorState ? x : inside->ResultValue;
}

bool KeypadPageModel::PostfixResultShown() const
{
    return OperatorJustEntered && m_current &&
           (IsPostfix(m_current->OpNumber) || m_current->OpNumber == Operator::Percent);
}

void KeypadPageModel::OperatorPressed(Operator op)
{
    m_display.PercentPressed = op == Operator::Percent;
    if (op == Operator::Equals) {
        const QString& line = m_display.ExpressionLine;
        const int missing = int(line.count(u'(')) - int(line.count(u')'));
        for (int i = 0; i < missing && ParenDepth > 0; ++i)
            ParenthesisPressed(false);
    }
    KeySinceParen = true;
    if (ResultShown && op != Operator::Equals) {
        if (m_display.ExpressionLine.contains(u'='))
            m_display.ExpressionLine.clear();
        ResultShown = false;
    }
    if (op == Operator::Equals && LastWasEquals)
        return;

    CreateOperator(op);

    if (op == Operator::Equals) {
        LastWasEquals = true;
        // Nothing of this calculation carries over, also not after an error.
        ParenJustClosed = false;
        GroupClosed = false;
        m_current = nullptr;
        m_nodes.clear();
        ResultShown = true;
        ParenDepth = 0;
        m_display.NewExpression = true;
        m_display.ErrorState = false;
        m_tape.TapeNewLine(QString());
        m_tape.TapeNewLine(QString());
    } else {
        LastWasEquals = false;
    }
    if (m_display.FocusedField == CalcDisplay::EntryField::Exponent)
        m_display.FocusedField = CalcDisplay::EntryField::Mantissa;
}

// --- parentheses ----------------------------------------------------------------------

void KeypadPageModel::ParenthesisPressed(bool opening)
{
    // An opening parenthesis is taken whenever a new operand may start, any number of
    // times per calculation and nested up to 20 levels; clearing ends every open level.
    if (opening)
        ParenAfterParen = false;
    else if (!KeySinceParen)
        ParenAfterParen = true;

    if (!opening && ParenAfterParen && m_display.ExpressionLine.endsWith(u'('))
        DigitPressed(0);

    if (opening && (m_display.NewExpression || OperatorJustEntered)) {
        if (m_display.NewExpression) {
            const QString& line = m_display.ExpressionLine;
            if (line.count(u'(') != line.size() || ErrorTextShown)
                m_display.ExpressionLine.clear();
            ErrorTextShown = false;
            m_display.Mantissa.clear();
        }
        ++ParenDepth;
        if (ParenDepth <= MaxParenDepth)
            WriteOperatorText(Operator::OpenParen, 0);
        else
            ParenDepth = MaxParenDepth;
    }

    // A postfix key's result is a complete operand: ")" may close the group right after it.
    if (!opening && (!OperatorJustEntered || PostfixResultShown())) {
        --ParenDepth;
        if (ParenDepth < 0) {
            ParenDepth = 0;
        } else {
            GroupClosed = true;
            if (!m_display.Mantissa.isEmpty()) {
                // The value inside the parenthesis is read as it stands, unformatted.
                const double x = displayValue(DisplayText());
                WriteOperatorText(Operator::CloseParen, x);
                ParenJustClosed = true;
            }
        }
    }
    KeySinceParen = false;
}

// --- clear, hyp, sign, constants ------------------------------------------------------

void KeypadPageModel::ClearCalculation()
{
    ParenDepth = 0;
    ParenJustClosed = false;
    GroupClosed = false;
    OperatorJustEntered = false;
    m_display.NewExpression = true;
    m_display.ErrorState = false;
    m_current = nullptr;
    m_nodes.clear();
    m_display.ClearDisplay();
    m_display.ExpressionLine.clear();
    ErrorTextShown = false;
}

void KeypadPageModel::HypPressed()
{
    KeySinceParen = true;
    HypArmed = true;
}

void KeypadPageModel::PlusMinus()
{
    switch (m_display.FocusedField) {
    case CalcDisplay::EntryField::Mantissa: {
        QString& text = m_display.Mantissa;
        if (text.isEmpty())
            return;
        const auto value = ParseNumber(ToComma(text));
        if (!value)
            return;
        if (*value >= 0 && !text.startsWith(u'-'))
            text.prepend(u'-');
        else
            text.remove(0, 1);
        break;
    }
    case CalcDisplay::EntryField::Exponent: {
        QString& text = m_display.Exponent;
        if (text.isEmpty())
            return;
        if (text.startsWith(u'-')) {
            text.remove(0, 1);
        } else {
            if (text.startsWith(u'+'))
                text.remove(0, 1);
            text.prepend(u'-');
        }
        break;
    }
    case CalcDisplay::EntryField::None:
        break;
    }
}

void KeypadPageModel::showConstant(double value)
{
    KeySinceParen = true;
    const int saved = m_display.FixDecimals;
    m_display.FixDecimals = 9;
    ConstantShown = true;
    OperatorJustEntered = false;
    m_display.ShowNumber(ResultText(value));
    m_display.FixDecimals = saved;
}

void KeypadPageModel::PiPressed()
{
    showConstant(kPi);
}

void KeypadPageModel::EulerPressed()
{
    showConstant(std::exp(1.0));
}

// --- memory ---------------------------------------------------------------------------

void KeypadPageModel::StoreInMemory(int slot)
{
    if (m_display.Mantissa.isEmpty() || !IsNumberText(m_display.Mantissa))
        return;
    m_memory.Store(slot, m_display.FormatMantissa(DisplayText(), MantissaStyle::Written));
}

void KeypadPageModel::RecallMemory(int slot)
{
    const QString value = m_memory.Value(slot);
    if (value.isEmpty())
        return;
    m_display.ShowNumber(value);
    OperatorJustEntered = false;
}

bool KeypadPageModel::RecallTapeLine(const QString& line)
{
    if (!line.startsWith(u'='))
        return false;
    const QString value = line.mid(1).trimmed();
    if (!IsNumberText(value))
        return false;
    m_display.ShowNumber(value);
    OperatorJustEntered = false;
    return true;
}

bool KeypadPageModel::MemoryGridKey(int slot, char16_t key)
{
    if (key == KeyChar::CtrlC) {
        m_services.clipboard.SetText(m_memory.Value(slot));
        return true;
    }
    if (key == KeyChar::CtrlV) {
        const QString text = m_services.clipboard.Text();
        if (IsNumberText(text))
            m_memory.Store(slot, text);
        return true;
    }
    return false;
}
