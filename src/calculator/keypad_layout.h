// The keys of the keypad page as one table: each key's objectName (the handlers read the
// operator number or parenthesis kind from it), face, hint, place in the grid and what it
// does.
#pragma once

#include "image_button.h"

#include <span>

enum class KeyKind { Digit, Operator, Paren, Hyp, Pi, E, Sign, Clear };
enum class KeyColour { Digit, Operator, Function, Clear, Equals };

struct KeypadKey {
    const char* objectName;
    KeyFace face;
    const char* hint;
    int row;
    int column;
    KeyKind kind;
    int tag; // the digit (10: decimal key) for digit keys
    KeyColour colour;
};

std::span<const KeypadKey> KeypadKeys();

// The operator number in characters 13–14 of a key name ("img_operator09_sin" gives 9).
int OperatorNumberOf(const QString& objectName);
// True for the opening parenthesis key: character 12 of its name is "0".
bool IsOpeningParen(const QString& objectName);
