#include "keypad/engine/operator_table.h"

#include <array>

namespace {

using O = Operator;
using K = OperatorKind;
using P = OperandPlace;
using A = AngleUse;

// In the order of the numbers: the table is indexed by them.
constexpr std::array<OperatorInfo, OperatorCount> kOperators{{
    {O::Equals, K::Equals, -1, 0, "=", "=", true, P::Before, A::None},
    {O::Plus, K::Binary, 0, 0, "+", "+", true, P::Before, A::None},
    {O::Minus, K::Binary, 0, 0, "-", "-", true, P::Before, A::None},
    {O::Times, K::Binary, 1, 1.0, "*", "*", true, P::Before, A::None},
    {O::Divide, K::Binary, 1, 1.0, "/", "/", true, P::Before, A::None},
    {O::Square, K::Postfix, 2, 1.0, "^2", "^2", false, P::Before, A::None},
    {O::SquareRoot, K::Prefix, 2, 0, " W", " W", true, P::None, A::None},
    {O::Power, K::Binary, 2, 0, "^", "^", false, P::Before, A::None},
    {O::Root, K::Binary, 2, 1.0, ".W", ".W", false, P::Before, A::None},
    {O::Sin, K::Prefix, 2, 0, " sin", " sin", false, P::None, A::Operand},
    {O::Cos, K::Prefix, 2, 0, " cos", " cos", false, P::None, A::Operand},
    {O::Tan, K::Prefix, 2, 0, " tan", " tan", false, P::None, A::Operand},
    {O::Cot, K::Prefix, 2, 0, " cot", " cot", false, P::None, A::Operand},
    {O::Log2, K::Prefix, 2, 0, " log2 ", " log2 ", false, P::None, A::None},
    {O::Log10, K::Prefix, 2, 0, " log10 ", " log10 ", false, P::None, A::None},
    {O::Ln, K::Prefix, 2, 0, " ln", " ln", false, P::None, A::None},
    {O::ArcSin, K::Prefix, 2, 0, " arcsin", " arcsin", false, P::None, A::Result},
    {O::ArcCos, K::Prefix, 2, 0, " arccos", " arccos", false, P::None, A::Result},
    {O::ArcTan, K::Prefix, 2, 0, " arctan", " arctan", false, P::None, A::Result},
    {O::ArcCot, K::Prefix, 2, 0, " arccot", " arccot", false, P::None, A::Result},
    {O::Reciprocal, K::Postfix, 2, 0, "1/", "1/", true, P::After, A::None},
    {O::Factorial, K::Postfix, 2, 0, "!", "!", false, P::Before, A::None},
    {O::Exp, K::Postfix, 2, 0, " e^", " e^", true, P::After, A::None},
    {O::OpenParen, K::Text, 0, 0, "(", "(", false, P::None, A::None},
    {O::CloseParen, K::Text, 0, 0, ")", ")", false, P::None, A::None},
    {O::Hyperbolic, K::Text, 0, 0, "h", "h", false, P::None, A::None},
    {O::Percent, K::Percent, 2, 0, "%", "%", false, P::Before, A::None},
}};

constexpr bool numberedInOrder()
{
    for (int i = 0; i < OperatorCount; ++i)
        if (static_cast<int>(kOperators[size_t(i)].op) != i)
            return false;
    return true;
}
static_assert(numberedInOrder(), "the operator table is indexed by the operator numbers");

} // namespace

const OperatorInfo& Info(Operator op)
{
    return kOperators[size_t(Number(op))];
}

std::optional<Operator> OperatorFromNumber(int number)
{
    if (number < 0 || number >= OperatorCount)
        return std::nullopt;
    return static_cast<Operator>(number);
}

std::optional<Operator> OperatorFromKeyName(QStringView objectName)
{
    if (objectName.size() < 14)
        return std::nullopt;
    const char16_t tens = objectName[12].unicode();
    const char16_t ones = objectName[13].unicode();
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9')
        return std::nullopt;
    return OperatorFromNumber((tens - u'0') * 10 + (ones - u'0'));
}
