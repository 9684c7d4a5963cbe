// Key filters shared by every numeric entry field and grid of the program.
//
// Keys are characters with the control codes of key_chars.h; a filter changes a key or
// drops it (KeyChar::None). A dropped key is never inserted.
#pragma once

#include "services.h"

#include <QString>

#include <optional>

enum class EditType { etString, etFloat, etInteger, etCharOnly };

// The filter of AlignEdit by its EditType: true when the key may reach the field.
bool PassesEditTypeFilter(EditType type, char16_t key, const QString& text);

// The text an etFloat field holds after leaving it: separators become ",", an empty text
// "0" (or stays empty with emptyIfZero), a number is written with exactly `decimals`
// decimals. Nothing when the text does not convert: the field then keeps its text.
std::optional<QString> FloatExitText(const QString& text, int decimals, bool emptyIfZero);

// The value of a field text, with point or comma separator; 0 when it does not convert.
double FieldFloat(const QString& text);
// The integer value of a field text; 0 when empty or not an integer.
int FieldInt(const QString& text);

enum class NumericMode { Decimal, Integer };

struct KeyFilterServices {
    UserFeedback& feedback;
    TextClipboard& clipboard;
};

// The shared numeric filter on the caller's copy of a field text, which it may replace
// (Ctrl+V). An operator key typed after a number is dropped with error signal 2: the
// keypad calculator is the main window itself, so there is nothing to hand the number to.
void CheckNumericKey(NumericMode mode, int limit, QString& text, char16_t& key,
                     KeyFilterServices services);

// An entry field as CheckFieldKey sees it.
struct FieldState {
    QString text;
    int cursor = 0;
    int selectionStart = 0;
    int selectionLength = 0;
};

// The same filter applied to a field: typing over a whole selection replaces it, and a
// separator typed into an empty decimal field gives "0" first.
void CheckFieldKey(NumericMode mode, int limit, FieldState& field, char16_t& key,
                   KeyFilterServices services);
