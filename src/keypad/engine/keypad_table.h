// The keypad page's keys as one table: each key's objectName, what it does, the characters
// that stand for it when typed into the display, its face, hint, place and colour. The page
// builds its buttons from it, the keyboard handler and the press animation look keys up in
// it, and the tests walk it.
#pragma once

#include "common/control_texts.h"
#include "common/key_face.h"
#include "keypad/engine/operator_table.h"

#include <span>

enum class KeyKind { Digit, Operator, Paren, Constant, Sign, Clear, Fix, Angle, Memory, Hyp, Tape };
enum class KeyColour { Digit, Operator, Function, Clear, Equals, Mode };

struct KeyPlace {
    int x;
    int y;
    int width;
    int height;
};

struct KeypadKey {
    const char* objectName;
    KeyKind kind;
    Operator op; // operator keys only
    // Digit keys: the digit, 10 for the decimal key. Parentheses: 0 opening, 1 closing (the
    // character in their names). Constants: 0 π, 1 e. Angle keys: the AngleMode. Memory
    // keys: 0 store, 1 recall, 2 clear.
    int value;
    const char16_t* typed; // characters typed into the display that stand for this key
    const char* face;
    const char* superscript;
    const char* leadingSuperscript;
    const char* hint;
    KeyPlace place;
    KeyColour colour;

    KeyFace Face() const;
};

inline constexpr int DecimalKeyValue = 10;

std::span<const KeypadKey> KeypadKeys();
// The key of that objectName; nothing when there is none.
const KeypadKey* KeyNamed(QStringView objectName);
// The key a character typed into the display stands for ("7", "+", Enter, Esc, "p" …).
const KeypadKey* KeyTypedAs(char16_t typed);

// Captions and hints of the keypad page, German; the keys' hints come from the table.
ControlTexts KeypadControlTexts();
