// The keypad calculator's operators and everything that differs between them, as one table.
//
// Each operator keeps the number it has always had: it stands in characters 13–14 of its
// key's name ("img_operator09_sin" is 9) and orders the texts. Parentheses and the
// hyperbolic suffix have numbers and texts but never become nodes.
#pragma once

#include <QString>

#include <optional>

enum class Operator {
    Equals = 0,
    Plus = 1,
    Minus = 2,
    Times = 3,
    Divide = 4,
    Square = 5,
    SquareRoot = 6,
    Power = 7,
    Root = 8,
    Sin = 9,
    Cos = 10,
    Tan = 11,
    Cot = 12,
    Log2 = 13,
    Log10 = 14,
    Ln = 15,
    ArcSin = 16,
    ArcCos = 17,
    ArcTan = 18,
    ArcCot = 19,
    Reciprocal = 20,
    Factorial = 21,
    Exp = 22,
    OpenParen = 23,
    CloseParen = 24,
    Hyperbolic = 25,
    Percent = 26,
};
inline constexpr int OperatorCount = 27;

// How an operator takes its operands; this also decides the node class it creates.
enum class OperatorKind {
    Equals,  // "=": a BinaryOperatorNode that only passes its value on
    Binary,  // left operand from the display, right one later: BinaryOperatorNode
    Postfix, // works on the display value at once: PostfixOperatorNode
    Percent, // postfix too, but with rules of its own: PostfixOperatorNode
    Prefix,  // its operand is typed after it: PrefixOperatorNode
    Text,    // parentheses and the hyperbolic suffix: text only, no node
};

// Where the expression line and the tape write the operand that stood in the display.
enum class OperandPlace {
    Before, // "12+", "5^2", "5!"
    After,  // "1/4", " e^2": the operand follows the text
    None,   // prefix functions (their operand arrives with the next operator) and texts
};

// Trigonometric functions work in the chosen angle unit: their operand is converted into
// radians, the inverse functions convert their result back.
enum class AngleUse { None, Operand, Result };

struct OperatorInfo {
    Operator op;
    OperatorKind kind;
    int priority;        // priority base; every open parenthesis level adds 3
    double rightDefault; // the right operand until one arrives
    const char* text;    // in the expression line, blanks included (" sin", " log2 ")
    const char* tapeText;
    bool newTapeLine; // the text starts a new line on the tape
    OperandPlace operand;
    AngleUse angle; // also: the hyperbolic key appends "h" to these names
};

const OperatorInfo& Info(Operator op);

inline int Number(Operator op)
{
    return static_cast<int>(op);
}
inline OperatorKind KindOf(Operator op)
{
    return Info(op).kind;
}
inline bool IsBinary(Operator op)
{
    return KindOf(op) == OperatorKind::Binary;
}
inline bool IsPostfix(Operator op)
{
    return KindOf(op) == OperatorKind::Postfix;
}
inline bool IsPrefix(Operator op)
{
    return KindOf(op) == OperatorKind::Prefix;
}
inline QString ExpressionText(Operator op)
{
    return QString::fromLatin1(Info(op).text);
}
inline QString TapeText(Operator op)
{
    return QString::fromLatin1(Info(op).tapeText);
}

// The operator of a number 0 … 26; nothing for any other number.
std::optional<Operator> OperatorFromNumber(int number);
// The operator a key stands for, from characters 13–14 of its name; nothing when those
// are not an operator number.
std::optional<Operator> OperatorFromKeyName(QStringView objectName);
