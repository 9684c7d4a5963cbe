#include "key_filter.h"

#include "key_chars.h"
#include "number_text.h"

namespace {

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isEditingControl(char16_t key)
{
    using namespace KeyChar;
    return key == CtrlA || key == CtrlC || key == Backspace || key == CtrlV || key == CtrlX ||
           key == CtrlZ;
}

bool isGermanLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'Ä' || c == u'Ö' ||
           c == u'Ü' || c == u'ß' || c == u'ä' || c == u'ö' || c == u'ü';
}

} // namespace

bool PassesEditTypeFilter(EditType type, char16_t key, const QString& text)
{
    if (key == KeyChar::Enter || key == KeyChar::Esc)
        return true;
    switch (type) {
    case EditType::etString:
        return true;
    case EditType::etFloat:
        if (key == u',' || key == u'.')
            return !(text.contains(u',') || text.contains(u'.'));
        return isEditingControl(key) || key == u'-' || isDigit(key);
    case EditType::etInteger:
        return isEditingControl(key) || key == u'-' || isDigit(key);
    case EditType::etCharOnly:
        return key == KeyChar::Backspace || isGermanLetter(key);
    }
    return false;
}

std::optional<QString> FloatExitText(const QString& text, int decimals, bool emptyIfZero)
{
    const QString commaText = ToComma(text);
    if (commaText.isEmpty())
        return emptyIfZero ? QString() : QStringLiteral("0");
    const auto value = ParseNumber(commaText);
    if (!value)
        return std::nullopt;
    return FixedText(*value, decimals);
}

double FieldFloat(const QString& text)
{
    return ParseNumber(ToComma(text)).value_or(0.0);
}

int FieldInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}

void CheckNumericKey(NumericMode mode, int limit, QString& text, char16_t& key,
                     KeyFilterServices services)
{
    using namespace KeyChar;
    if (key == Tab)
        key = Enter;

    if (text.size() >= limit &&
        !(key == CtrlC || key == Backspace || key == Enter || key == CtrlV)) {
        key = None;
        services.feedback.ErrorSignal(1);
        return;
    }

    // Keys refused here end with the error signal of the "every other key" rule below.
    bool refused = key == u':';
    if (mode == NumericMode::Integer && (key == u',' || key == u'.'))
        refused = true;

    if (IsOperatorChar(key) && !text.isEmpty() && IsOperatorChar(text.back().unicode())) {
        key = None;
        return;
    }

    if (key == u',')
        key = u'.';

    if (refused) {
        key = None;
        services.feedback.ErrorSignal(2);
        return;
    }

    if (key == CtrlC) {
        services.clipboard.SetText(text);
        key = None;
    } else if (key == Backspace || key == Enter) {
        // passed on
    } else if (key == CtrlV) {
        const QString pasted = services.clipboard.Text();
        if (!pasted.isEmpty())
            text = pasted;
        key = None;
    } else if (key == Blank) {
        key = None;
        services.feedback.ErrorSignal(3);
    } else if (IsOperatorChar(key)) {
        if (text == u"0")
            text.clear();
        if (text.isEmpty()) {
            if (key != u'-')
                key = None;
        } else {
            key = None;
            if (IsNumberText(text))
                services.feedback.ErrorSignal(2);
        }
    } else if (key == u'.' || isDigit(key)) {
        // passed on
    } else {
        key = None;
        services.feedback.ErrorSignal(2);
    }

    if (mode == NumericMode::Decimal && key == u'.' && (text.contains(u'.') || text.contains(u',')))
        key = None;
}

void CheckFieldKey(NumericMode mode, int limit, FieldState& field, char16_t& key,
                   KeyFilterServices services)
{
    using namespace KeyChar;
    const bool wholeTextSelected =
        field.selectionLength > 0 && field.selectionLength == field.text.size();
    if (wholeTextSelected && key != CtrlC && key != Tab && key != Enter) {
        field.text.clear();
        field.cursor = 0;
        field.selectionStart = 0;
        field.selectionLength = 0;
    }
    if (mode == NumericMode::Decimal && (key == u',' || key == u'.') && field.text.isEmpty()) {
        field.text = QStringLiteral("0");
        field.cursor = 1;
    }
    const QString before = field.text;
    CheckNumericKey(mode, limit, field.text, key, services);
    if (field.text != before) {
        field.cursor = int(field.text.size());
        field.selectionStart = 0;
        field.selectionLength = 0;
    }
}
