// The keypad calculator under any key sequence: the display holds a number text,
// " E R R O R" or nothing, never a value that is no number, and the parentheses stay in range.
#include "fuzz_target.h"

#include "common/key_chars.h"
#include "common/number_text.h"
#include "keypad/engine/keypad_page_model.h"
#include "support/keypad_actions.h"
#include "support/recording_services.h"

namespace {

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
        PressKeypadAction(calc, display, in.Byte(), in);
        checkDisplay(calc, display);
    }
    return 0;
}
