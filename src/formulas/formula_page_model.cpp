#include "formula_page_model.h"

#include "calculator/key_chars.h"
#include "calculator/number_text.h"

namespace {

constexpr int kFilterLimit = 100; // the first filter sees a copy of the text
constexpr int kFieldKeyLimit = 8; // characters a key may still extend a field to

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// What the field does with a key that came through every filter: it replaces the
// selection, or deletes the character before the caret.
void applyKey(FieldState& state, char16_t key)
{
    if (state.selectionLength > 0) {
        state.text.remove(state.selectionStart, state.selectionLength);
        state.cursor = state.selectionStart;
        state.selectionLength = 0;
    } else if (key == KeyChar::Backspace && state.cursor > 0) {
        state.text.remove(--state.cursor, 1);
        return;
    }
    if (key == KeyChar::Backspace)
        return;
    state.text.insert(state.cursor, QChar(key));
    ++state.cursor;
}

void paste(FieldState& state, QString pasted)
{
    if (state.selectionLength > 0) {
        state.text.remove(state.selectionStart, state.selectionLength);
        state.cursor = state.selectionStart;
        state.selectionLength = 0;
    }
    pasted.truncate(std::max<qsizetype>(0, FormulaPageModel::FieldLimit - state.text.size()));
    state.text.insert(state.cursor, pasted);
    state.cursor += int(pasted.size());
}

} // namespace

FormulaPageModel::FormulaPageModel(CalcDisplay& display, const McStrings& captions,
                                   MemorySlots& memory, KeyFilterServices services)
    : m_display(display), m_captions(captions), m_model(display, captions), m_memory(memory),
      m_services(services)
{
    // New decimals reformat every field the formula shows, as leaving it would.
    m_display.FixDecimalsChanged = [this] {
        for (int i = 0; i < FormulaCatalogue::SlotCount; ++i)
            if (FieldVisible[size_t(i)])
                exitHandling(i);
    };
}

FormulaPageModel::~FormulaPageModel()
{
    m_display.FixDecimalsChanged = nullptr;
}

int FormulaPageModel::SelectedFormula() const
{
    return FormulaCatalogue::FormulaNumberOf(ActiveGroup, ListIndex[size_t(ActiveGroup)]);
}

int FormulaPageModel::DropDownWidth(int languageCode)
{
    constexpr int German = 1;
    constexpr int English = 2;
    constexpr int Spanish = 9;
    if (languageCode == English)
        return 280;
    return languageCode == German || languageCode == Spanish ? 225 : 0;
}

QString FormulaPageModel::DrawingToggleHint() const
{
    return m_captions.Entry(DrawingSmall ? 57 : 56);
}

void FormulaPageModel::PageShown()
{
    // A solved field keeps its green while the page comes back.
    m_model.RecolourFields = false;
    m_model.Notice = FormulaNotice::Hidden;
    ListIndex[size_t(ActiveGroup)] = SavedFormulaIndex;
    commonSetUp(LastFocusedVariable);
    m_model.RecolourFields = true;
}

void FormulaPageModel::PageLeaving(int focusedField)
{
    if (focusedField >= 0 && focusedField < FormulaCatalogue::SlotCount)
        LastFocusedVariable = focusedField;
    SavedFormulaIndex = ListIndex[size_t(ActiveGroup)];
}

void FormulaPageModel::GroupLeaving()
{
    GroupFormulaIndex[size_t(ActiveGroup)] = ListIndex[size_t(ActiveGroup)];
}

void FormulaPageModel::GroupChosen(FormulaGroup group)
{
    ActiveGroup = group;
    m_model.Notice = FormulaNotice::Hidden;
    for (auto& field : m_model.Fields)
        field.text.clear();
    for (auto& text : m_model.Variables.Texts)
        text.clear();
    m_model.ResetChoice();
    ListIndex[size_t(group)] = GroupFormulaIndex[size_t(group)];
    commonSetUp(LastFocusedVariable);
}

void FormulaPageModel::FormulaChosen(int index)
{
    ListIndex[size_t(ActiveGroup)] = index;
    m_model.Notice = FormulaNotice::Hidden;
    m_model.ResetChoice();
    m_model.EvaluatePending = false;
    hideFields();
    for (auto& field : m_model.Fields) {
        field.enabled = true;
        field.readOnly = false;
        field.text.clear();
    }
    m_model.FillVariableSet(FillSender::Selection, SelectedFormula());
    render();
    setFocus(0);
    if (index >= 0)
        showLegendAndDrawing();
    ScrollRange = 353;
}

void FormulaPageModel::commonSetUp(int focusField)
{
    hideFields();
    m_model.EvaluatePending = false;
    m_model.FillVariableSet(FillSender::Selection, SelectedFormula());
    render();
    setFocus(focusField);
    ClearingFields = false;
    m_model.Notice = FormulaNotice::Hidden;
    showLegendAndDrawing();
}

void FormulaPageModel::hideFields()
{
    FieldVisible.fill(false);
    if (ResetFieldWidths)
        ResetFieldWidths();
}

void FormulaPageModel::render(bool scrollRangeUpdate)
{
    const bool symbolLine = m_model.SymbolLine;
    const bool valueLine = m_model.Variables.Rebuild || !symbolLine;
    if (valueLine) {
        // The value line writes every slot's text into its field and shows the field.
        const int used =
            int(FormulaCatalogue::Formula(m_model.Variables.FormulaNumber).variables.size());
        for (int i = 0; i < used; ++i) {
            m_model.Fields[size_t(i)].text = m_model.Variables.Texts[size_t(i)];
            FieldVisible[size_t(i)] = true;
        }
    }
    if (DrawFormula) {
        const int range = DrawFormula(symbolLine, valueLine);
        if (scrollRangeUpdate)
            ScrollRange = range;
    }
    m_model.SymbolLine = false;
}

void FormulaPageModel::showLegendAndDrawing()
{
    if (DrawLegend)
        LegendHeight = DrawLegend();
    if (ActiveGroup == FormulaGroup::BuildingServices) {
        DrawingVisible = false;
        return;
    }
    placeDrawing();
    DrawingVisible = !ShowDrawing || ShowDrawing();
}

void FormulaPageModel::placeDrawing()
{
    if (DrawingSmall)
        DrawingPlace = QRect(LegendPlace.x(), LegendPlace.y() + LegendHeight, SmallDrawingWidth,
                             LegendPlace.height() - LegendHeight);
    else
        DrawingPlace = EnlargedDrawingPlace;
}

void FormulaPageModel::DrawingSizeToggled()
{
    DrawingSmall = !DrawingSmall;
    placeDrawing();
    if (!DrawingSmall)
        DrawingPlace = MagnifiedDrawingPlace;
    if (ShowDrawing && !ShowDrawing())
        DrawingVisible = false;
}

void FormulaPageModel::ClearPressed()
{
    clearFormulaFields();
    ScrollRange = 350;
    m_model.Notice = FormulaNotice::Hidden;
}

void FormulaPageModel::clearFormulaFields()
{
    ClearingFields = true;
    m_model.EvaluatePending = false;
    for (auto& field : m_model.Fields)
        field.text.clear();
    for (auto& text : m_model.Variables.Texts)
        text.clear();
    if (ResetFieldWidths)
        ResetFieldWidths();
    m_model.ResetChoice();
    m_model.FillVariableSet(FillSender::Selection);
    render();
    setFocus(0);
    SelectAllRequest[0] = true;
    ClearingFields = false;
}

void FormulaPageModel::setFocus(int field)
{
    if (field < 0 || field >= FormulaCatalogue::SlotCount || !FieldVisible[size_t(field)])
        field = 0;
    if (FocusField)
        FocusField(field);
    else
        m_model.FocusedField = field;
}

void FormulaPageModel::FieldKeyTyped(int field, FieldState& state, char16_t key)
{
    using namespace KeyChar;
    // A read-only field (the hexagon's computed dimension) lets its text be copied, nothing
    // more.
    if (m_model.Fields[size_t(field)].readOnly && key != CtrlC)
        return;
    const QString before = state.text;
    // A placeholder letter is replaced by whatever is typed.
    if (!IsNumberText(state.text)) {
        state.selectionStart = 0;
        state.selectionLength = int(state.text.size());
    }
    const auto settle = [&] {
        if (state.text != before)
            changed(field, state.text);
        const QString& now = m_model.Fields[size_t(field)].text;
        if (now != state.text) {
            state.text = now;
            state.cursor = int(now.size());
            state.selectionStart = state.cursor;
            state.selectionLength = 0;
        }
    };

    if (key == CtrlC) {
        // The whole text, unless the field has a selection to copy.
        m_services.clipboard.SetText(state.text);
        if (state.selectionLength > 0)
            m_services.clipboard.SetText(
                state.text.mid(state.selectionStart, state.selectionLength));
        return;
    }
    if (key == CtrlV) {
        const QString pasted = m_services.clipboard.Text();
        if (!IsNumberText(pasted))
            return;
        SelectAllOnChange = true;
        paste(state, pasted);
        // A pasted number counts as typed: the formula follows it at once.
        m_model.EvaluatePending = true;
        settle();
        return;
    }
    // A variable is typed without a sign.
    if (IsOperatorChar(key))
        return;
    if (key == Backspace) {
        changed(field, state.text);
        state.text = m_model.Fields[size_t(field)].text;
        state.cursor = std::min(state.cursor, int(state.text.size()));
        state.selectionStart = std::min(state.selectionStart, int(state.text.size()));
        state.selectionLength =
            std::min(state.selectionLength, int(state.text.size()) - state.selectionStart);
    }

    QString copy = state.text;
    CheckNumericKey(NumericMode::Decimal, kFilterLimit, copy, key, m_services);
    if (key != None)
        CheckFieldKey(NumericMode::Decimal, kFieldKeyLimit, state, key, m_services);
    // The mantissa rules of the calculator's display.
    if (key == u'.') {
        if (m_display.FixEntryMode) {
            m_display.SetFixDecimals(u'.');
            key = None;
        } else if (state.text.contains(u'.') || state.text.contains(u',')) {
            key = None;
        }
    } else if (isDigit(key)) {
        if (state.text == u"0") {
            state.text.clear();
            state.cursor = 0;
            state.selectionLength = 0;
        }
        if (m_display.FixEntryMode) {
            m_display.SetFixDecimals(QChar(key));
            key = None;
        }
    }
    m_model.EvaluatePending = true;
    if (key != None && key != Enter)
        applyKey(state, key);
    settle();
}

void FormulaPageModel::FieldKeyReleased(int field, bool deleteKey, const QString& text)
{
    if (!deleteKey || !text.isEmpty() || m_model.Fields[size_t(field)].readOnly)
        return;
    m_model.EvaluatePending = true;
    changed(field, text);
}

void FormulaPageModel::FieldTextChanged(int field, const QString& text)
{
    changed(field, text);
}

void FormulaPageModel::changed(int field, const QString& text)
{
    m_model.Fields[size_t(field)].text = text;
    if (SelectAllOnChange)
        SelectAllRequest[size_t(field)] = true;
    if (m_model.EvaluatePending) {
        if (!text.isEmpty()) {
            m_model.FillVariableSet(FillSender::Field);
            m_model.EvaluateFormula();
            render();
        } else {
            // An emptied field gets its placeholder back and frees the choice of result.
            m_model.FillVariableSet(FillSender::Selection);
            m_model.EvaluateFormula();
            render();
            SelectAllRequest[size_t(field)] = true;
            m_model.ResetChoice();
        }
    }
    m_model.EvaluatePending = false;
    SelectAllOnChange = false;
}

void FormulaPageModel::FieldLeft(int field)
{
    // The exit runs while the field is still the focused widget, but the user is leaving
    // it: it must not count as focused when the formula decides which slot to solve.
    if (m_model.FocusedField == field)
        m_model.FocusedField = FormulaModel::NoField;
    exitHandling(field);
}

void FormulaPageModel::exitHandling(int field)
{
    m_model.EvaluatePending = true;
    if (ClearingFields)
        return;
    const QString text = m_model.Fields[size_t(field)].text;
    if (IsNumberText(text)) {
        const QString formatted = m_display.FormatMantissa(text, MantissaStyle::Written);
        // Only a text that really changes is a change of the field.
        if (formatted != text)
            changed(field, formatted);
    }
    m_model.SymbolLine = true;
    render(false);
}

void FormulaPageModel::DecimalsChosen(int position)
{
    if (!m_display.ChooseFixDecimals(position))
        return;
    m_model.RecolourFields = false;
    m_model.FillVariableSet(FillSender::Field);
    m_model.EvaluateFormula();
    render();
}

void FormulaPageModel::StoreInMemory(int row)
{
    const int field = m_model.FocusedField;
    if (field < 0 || field >= FormulaCatalogue::SlotCount)
        return;
    const QString& text = m_model.Fields[size_t(field)].text;
    if (IsNumberText(text))
        m_memory.Store(row, m_display.FormatMantissa(text, MantissaStyle::Written));
}

void FormulaPageModel::RecallFromMemory(int row)
{
    const QString value = m_memory.Value(row);
    const int field = m_model.FocusedField;
    if (value.isEmpty() || field < 0 || field >= FormulaCatalogue::SlotCount)
        return;
    m_model.EvaluatePending = true;
    if (m_model.Fields[size_t(field)].text != value)
        changed(field, value);
}
