// Keys typed into the two display fields. Every key that stands for a keypad key plays
// that key's press animation and runs its handler; what is left goes through the shared
// numeric filter and then the display's own rules (FilterCalcKey).
//
// Whatever arrives, the display holds a number text, " E R R O R" or nothing: a paste or
// an edit that would leave anything else is refused with the error signal, as a refused
// key is, and Backspace that would leave a lone "-" empties the field.
#include "keypad/engine/keypad_page_model.h"

#include "common/key_chars.h"
#include "common/number_text.h"
#include "keypad/engine/keypad_table.h"

namespace {

const QString kErrorText = QStringLiteral(" E R R O R");

int digitCount(QStringView text)
{
    int n = 0;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9')
            ++n;
    return n;
}

// A mantissa as the display may hold it while a number is typed: sign, digits and one
// point ("-", "0." and "12." included), at most `digits` digits.
bool isMantissaText(QStringView text, int digits)
{
    if (digitCount(text) > digits)
        return false;
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] == u'.' && !point)
            point = true;
        else if (text[i] < u'0' || text[i] > u'9')
            return false;
    }
    return true;
}

// A power of ten: an optional sign and at most `digits` digits.
bool isExponentText(QStringView text, int digits)
{
    if (text.startsWith(u'-') || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty() || digitCount(text) != text.size())
        return false;
    return text.size() <= digits;
}

// A lone sign or point is no number yet; Backspace must not leave one behind.
bool isUnfinished(const QString& text)
{
    return text == u"-" || text == u"." || text == u"-.";
}

} // namespace

void KeypadPageModel::MantissaKeyTyped(char16_t key, bool wholeTextSelected)
{
    using namespace KeyChar;
    if (key == CtrlC) {
        if (!m_display.Mantissa.isEmpty())
            m_services.clipboard.SetText(m_display.Mantissa);
        return;
    }
    if (key == CtrlV) {
        pasteIntoDisplay(wholeTextSelected);
        return;
    }
    bool consumed = false; // a keypad key ran: the character itself is not typed
    if (const KeypadKey* pressed = KeyTypedAs(key)) {
        animate(*pressed);
        // The decimal key's character goes on to the filters below, which also serve the
        // choice of free decimals.
        if (!(pressed->kind == KeyKind::Digit && pressed->value == DecimalKeyValue))
            consumed = RunKey(*pressed);
    }

    // The two-operand keys keep the operand in the display, "°" (x^y) as well as "*".
    if (key != u'(' && OperatorJustEntered && key != Enter && key != u'%' && key != u'\u00B0' &&
        !IsOperatorChar(key)) {
        m_display.ClearDisplay();
        OperatorJustEntered = false;
    }
    HypArmed = false;
    // Keys that ran a keypad key are done; the filters below would only refuse them again.
    if (consumed)
        return;

    QString copy = m_display.Mantissa;
    CheckNumericKey(NumericMode::Decimal, 100, copy, key, m_services);
    if (key != None)
        FilterCalcKey(false, 15, wholeTextSelected, key);
}

void KeypadPageModel::ExponentKeyTyped(char16_t key, bool wholeTextSelected)
{
    // "(" keeps the display, as it does in the mantissa field.
    if (OperatorJustEntered && key != u'(' && key != KeyChar::Enter && key != u'%' &&
        !IsOperatorChar(key)) {
        m_display.ClearDisplay();
        OperatorJustEntered = false;
    }
    HypArmed = false;
    FilterCalcKey(true, ExponentDigits, wholeTextSelected, key);
}

void KeypadPageModel::pasteIntoDisplay(bool wholeTextSelected)
{
    QString pasted = m_services.clipboard.Text().trimmed();
    if (!IsNumberText(pasted)) {
        m_services.feedback.ErrorSignal(2);
        return;
    }
    pasted = ToPoint(pasted);
    // The paste starts a new number where a typed digit would: over a selection, the
    // error text, a constant, or the operand an operator has just taken.
    const bool replaces = wholeTextSelected || m_display.Mantissa == kErrorText || ConstantShown ||
                          OperatorJustEntered;
    QString mantissa = replaces ? QString() : m_display.Mantissa;
    QString exponent = replaces ? QString() : m_display.Exponent;
    const qsizetype e = pasted.indexOf(u'E', 0, Qt::CaseInsensitive);
    mantissa += e < 0 ? pasted : pasted.left(e);
    if (e >= 0) {
        if (!exponent.isEmpty()) {
            m_services.feedback.ErrorSignal(2);
            return;
        }
        exponent = pasted.mid(e + 1);
        if (exponent.startsWith(u'+'))
            exponent.remove(0, 1);
    }
    if (!isMantissaText(mantissa, MantissaDigits) ||
        (!exponent.isEmpty() && !isExponentText(exponent, 3))) {
        m_services.feedback.ErrorSignal(2);
        return;
    }
    m_display.Mantissa = mantissa;
    m_display.Exponent = exponent;
    ConstantShown = false;
    OperatorJustEntered = false;
}

bool KeypadPageModel::EntryEdited(CalcDisplay::EntryField field, const QString& text)
{
    const bool exponent = field == CalcDisplay::EntryField::Exponent;
    const QString kept = isUnfinished(text) ? QString() : text;
    const bool fits = kept.isEmpty() ||
                      (exponent ? isExponentText(kept, 3) : isMantissaText(kept, MantissaDigits));
    if (!fits) {
        m_services.feedback.ErrorSignal(2);
        return false;
    }
    (exponent ? m_display.Exponent : m_display.Mantissa) = kept;
    return kept == text;
}

void KeypadPageModel::FilterCalcKey(bool exponent, int limit, bool wholeTextSelected, char16_t key)
{
    using namespace KeyChar;
    QString& field = exponent ? m_display.Exponent : m_display.Mantissa;
    if (wholeTextSelected && !field.isEmpty() && key != Tab && key != Enter)
        field.clear();
    if (key == Tab)
        key = Enter;
    if (field.size() >= limit && key != Backspace && key != Enter && !IsOperatorChar(key))
        return;
    if (exponent && (key == u',' || key == u'.'))
        return;
    if (key == u',')
        key = u'.';

    if (key == Backspace) {
        field.chop(1);
        // Taking a digit away never leaves a lone sign or a piece of the error text.
        const bool number = exponent ? isExponentText(field, 3) : isMantissaText(field, 100);
        if (isUnfinished(field) || !number)
            field.clear();
        return;
    }
    if (key == Enter || IsOperatorChar(key)) {
        OperatorPressed(KeyTypedAs(key)->op);
        return;
    }
    if (key == Esc) {
        ClearCalculation();
        return;
    }
    if (key == u'.') {
        if (m_display.FixEntryMode) {
            m_display.SetFixDecimals(u'.');
            return;
        }
        if (field.contains(u'.') || field.contains(u','))
            return;
        field += field.isEmpty() ? QStringLiteral("0.") : QStringLiteral(".");
        return;
    }
    if (key >= u'0' && key <= u'9') {
        if (field == u"0")
            field.clear();
        if (m_display.FixEntryMode) {
            m_display.SetFixDecimals(QChar(key));
            return;
        }
        field += QChar(key);
    }
}
