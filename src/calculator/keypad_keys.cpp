// Keys typed into the two display fields. Every key that stands for a keypad key plays
// that key's press animation and runs its handler; what is left goes through the shared
// numeric filter and then the display's own rules (FilterCalcKey).
#include "keypad_controller.h"

#include "key_chars.h"
#include "number_text.h"

namespace {

bool isOperatorKey(char16_t key)
{
    return key == u'*' || key == u'+' || key == u'-' || key == u'/';
}

struct OperatorKey {
    char16_t key;
    int op;
    const char* image;
};

constexpr OperatorKey kOperatorKeys[] = {
    {u'*', Op::Times, "spb_operator03_mal"},
    {u'+', Op::Plus, "spb_operator01_plus"},
    {u'-', Op::Minus, "spb_operator02_minus"},
    {u'/', Op::Divide, "spb_operator04_geteilt"},
};

const OperatorKey* operatorKey(char16_t key)
{
    for (const auto& k : kOperatorKeys)
        if (k.key == key)
            return &k;
    return nullptr;
}

const char* const kDigitImages[] = {"img_ziffer0", "img_ziffer1", "img_ziffer2", "img_ziffer3",
                                    "img_ziffer4", "img_ziffer5", "img_ziffer6", "img_ziffer7",
                                    "img_ziffer8", "img_ziffer9"};

} // namespace

void KeypadController::edt_resultsKeyPress(char16_t key, bool wholeTextSelected)
{
    using namespace KeyChar;
    bool consumed = false; // a keypad key ran: the character itself is not typed
    if (key == CtrlC) {
        if (!m_display.Mantissa.isEmpty())
            m_services.clipboard.SetText(m_display.Mantissa);
        return;
    }
    if (key == CtrlV) {
        const QString pasted = m_services.clipboard.Text();
        if (IsNumberText(pasted))
            m_display.Mantissa = wholeTextSelected ? pasted : m_display.Mantissa + pasted;
        return;
    }
    if (key == Enter) {
        animate("img_operator00_gleich");
        spb_operatorClick(Op::Equals);
        consumed = true;
    } else if (key == Esc) {
        animate("jmg_clear");
        ClearCalculation();
        consumed = true;
    } else if (key == u'%') {
        animate("img_operator26_prozent");
        spb_operatorClick(Op::Percent);
        consumed = true;
    } else if (key == u'(' || key == u')') {
        animate(key == u'(' ? "img_klammer0auf" : "img_klammer1zu");
        spb_klammerClick(key == u'(');
        consumed = true;
    } else if (const OperatorKey* k = operatorKey(key)) {
        animate(k->image);
        spb_operatorClick(k->op);
        consumed = true;
    } else if (key == u',' || key == u'.') {
        animate("img_komma");
    } else if (key >= u'0' && key <= u'9') {
        animate(kDigitImages[key - u'0']);
        spb_zifferClick(key - u'0');
        consumed = true;
    } else if (key == u'p') {
        animate("img_constpi");
        spb_constpiClick();
        consumed = true;
    } else if (key == u'°') {
        animate("img_operator07_xhochy");
        spb_operatorClick(Op::Power);
        consumed = true;
    }

    if (key != u'(' && OperatorJustEntered && key != Enter && key != u'%' && !isOperatorKey(key)) {
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

void KeypadController::edt_result10KeyPress(char16_t key, bool wholeTextSelected)
{
    if (OperatorJustEntered && key != KeyChar::Enter && key != u'%' && !isOperatorKey(key)) {
        m_display.ClearDisplay();
        OperatorJustEntered = false;
    }
    HypArmed = false;
    FilterCalcKey(true, ExponentDigits, wholeTextSelected, key);
}

void KeypadController::FilterCalcKey(bool exponent, int limit, bool wholeTextSelected, char16_t key)
{
    using namespace KeyChar;
    QString& field = exponent ? m_display.Exponent : m_display.Mantissa;
    if (wholeTextSelected && !field.isEmpty() && key != Tab && key != Enter)
        field.clear();
    if (key == Tab)
        key = Enter;
    if (field.size() >= limit && key != Backspace && key != Enter && !isOperatorKey(key))
        return;
    if (exponent && (key == u',' || key == u'.'))
        return;
    if (key == u',')
        key = u'.';

    if (key == Backspace) {
        field.chop(1);
        return;
    }
    if (key == Enter) {
        spb_operatorClick(Op::Equals);
        return;
    }
    if (const OperatorKey* k = operatorKey(key)) {
        spb_operatorClick(k->op);
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
