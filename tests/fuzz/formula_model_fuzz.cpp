// The formula page under any typing and pasting into its variable fields: a computed result
// is a number text, no field ever shows a value that is no number.
#include "fuzz_target.h"

#include "calculator/key_chars.h"
#include "formulas/formula_page_model.h"
#include "support/recording_services.h"

namespace {

const char16_t kKeys[] = {u'0',           u'1',           u'2',          u'7',
                          u'9',           u'.',           u',',          u'-',
                          u'E',           u'x',           u' ',          KeyChar::Backspace,
                          KeyChar::CtrlV, KeyChar::CtrlC, KeyChar::Enter};
const int kListSizes[] = {9, 15, 12};

// A field the user has not typed into since the formula was chosen never shows a value that
// is no number, and when it shows a result, that is a number text.
void checkFields(const FormulaModel& model,
                 const std::array<bool, FormulaCatalogue::SlotCount>& typed)
{
    for (size_t k = 0; k < model.Fields.size(); ++k) {
        const VariableField& field = model.Fields[k];
        if (typed[k])
            continue;
        FUZZ_CHECK(!ShowsNonFinite(field.text), field.text);
        if (field.colour == FieldColour::Result)
            FUZZ_CHECK(field.text.isEmpty() || IsNumberText(field.text), field.text);
    }
}

} // namespace

FUZZ_TARGET(formula_model)
{
    FuzzInput in(data, size);
    CalcDisplay display;
    McStrings captions;
    MemorySlots memory;
    RecordingServices services;
    FormulaPageModel page(display, captions, memory, {services, services});
    display.FixDecimals = in.Pick(11) - 1;
    page.PageShown();
    std::array<bool, FormulaCatalogue::SlotCount> typed{};
    for (int step = 0; step < 100 && !in.Empty(); ++step) {
        const int a = in.Byte();
        const int field = a % FormulaCatalogue::SlotCount;
        if (a < 8) {
            const auto group = FormulaGroup(in.Pick(3));
            page.GroupLeaving();
            page.GroupChosen(group);
            page.FormulaChosen(in.Pick(kListSizes[int(group)]));
            typed = {};
        } else if (a < 16) {
            page.Model().FocusedField = field;
            page.FieldTextChanged(field, in.Text(12));
            typed[size_t(field)] = true;
        } else if (a < 24) {
            page.FieldLeft(field);
        } else if (a == 24) {
            page.ClearPressed();
            typed = {};
        } else if (a == 25) {
            page.DecimalsChosen(in.Pick(10));
        } else if (a == 26) {
            services.clipboard = in.Text(16);
        } else if (a == 27) {
            page.RecallFromMemory(in.Pick(20));
        } else if (a == 28) {
            page.StoreInMemory(in.Pick(20));
        } else {
            // A key typed into a field: its text as the field shows it, caret at the end,
            // sometimes all selected.
            page.Model().FocusedField = field;
            const QString text = page.Model().Fields[size_t(field)].text;
            const bool all = a & 0x40;
            FieldState state{text, int(text.size()), all ? 0 : int(text.size()),
                             all ? int(text.size()) : 0};
            page.FieldKeyTyped(field, state, kKeys[a % std::size(kKeys)]);
            typed[size_t(field)] = true;
        }
        checkFields(page.Model(), typed);
    }
    return 0;
}
