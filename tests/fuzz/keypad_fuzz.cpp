// The keypad calculator under any key sequence: the display holds a number text,
// " E R R O R" or nothing, never a value that is no number, and the parentheses stay in range.
#include "fuzz_target.h"

#include "calculator/key_chars.h"
#include "calculator/keypad_page_model.h"
#include "calculator/number_text.h"
#include "support/recording_services.h"

namespace {

const char16_t kTyped[] = {u'0',           u'1',
                           u'5',           u'9',
                           u'.',           u',',
                           u'+',           u'-',
                           u'*',           u'/',
                           u'(',           u')',
                           u'%',           u'p',
                           u'e',           u'E',
                           u'x',           u' ',
                           u'°',           KeyChar::Enter,
                           KeyChar::Esc,   KeyChar::Backspace,
                           KeyChar::CtrlV, KeyChar::CtrlC};

void checkDisplay(const KeypadPageModel& calc, const CalcDisplay& display)
{
    FUZZ_CHECK(display.Mantissa.isEmpty() || display.Mantissa == u" E R R O R" ||
                   IsNumberText(display.Mantissa),
               display.Mantissa);
    FUZZ_CHECK(!ShowsNonFinite(display.Mantissa), display.Mantissa);
    FUZZ_CHECK(display.Exponent.isEmpty() || IsNumberText(display.Exponent), display.Exponent);
    // What the next operator reads back is one number, with one power of ten, also where the
    // mantissa shows a power of ten of its own beside the power-of-ten field. (Whether it lies
    // within the double range is not checked: a typed power of ten can leave it.)
    FUZZ_CHECK(display.Exponent.isEmpty() || !IsNumberText(display.Mantissa) ||
                   !IsNumberText(display.Exponent) || calc.DisplayText().count(u'E') == 1,
               calc.DisplayText());
    FUZZ_CHECK(!ShowsNonFinite(display.ExpressionLine), display.ExpressionLine);
    FUZZ_CHECK(calc.ParenDepth >= 0 && calc.ParenDepth <= KeypadPageModel::MaxParenDepth,
               QString::number(calc.ParenDepth));
}

} // namespace

FUZZ_TARGET(keypad)
{
    FuzzInput in(data, size);
    CalcDisplay display;
    RecordingServices services;
    KeypadPageModel calc(display, {services, services});
    // The first bytes are what the clipboard holds for pastes; the rest are keys.
    services.clipboard = in.Text(24);
    for (int step = 0; step < 160 && !in.Empty(); ++step) {
        const int a = in.Byte();
        if (a < 27) {
            if (KindOf(Operator(a)) != OperatorKind::Text)
                calc.OperatorPressed(Operator(a));
        } else if (a < 38) {
            calc.DigitPressed(a - 27);
        } else if (a < 40) {
            calc.ParenthesisPressed(a == 38);
        } else if (a == 40) {
            calc.HypPressed();
        } else if (a == 41) {
            calc.PlusMinus();
        } else if (a == 42) {
            calc.PiPressed();
        } else if (a == 43) {
            calc.EulerPressed();
        } else if (a == 44) {
            calc.SetAngleMode(AngleMode(in.Pick(3)));
        } else if (a == 45) {
            display.StartFixEntry();
        } else if (a == 46) {
            display.FocusedField = CalcDisplay::EntryField(in.Pick(3));
        } else if (a == 47) {
            calc.StoreInMemory(in.Pick(20));
        } else if (a == 48) {
            calc.RecallMemory(in.Pick(20));
        } else if (a == 49) {
            calc.ClearCalculation();
        } else if (a == 50) {
            calc.EntryEdited(CalcDisplay::EntryField(1 + in.Pick(2)), in.Text(16));
        } else if (a == 51) {
            calc.MemoryGridKey(in.Pick(20), in.Byte() % 2 ? KeyChar::CtrlV : KeyChar::CtrlC);
        } else {
            const char16_t key = kTyped[a % std::size(kTyped)];
            if (a >= 200)
                calc.ExponentKeyTyped(key, a % 2);
            else
                calc.MantissaKeyTyped(key, a % 2);
        }
        checkDisplay(calc, display);
    }
    return 0;
}
