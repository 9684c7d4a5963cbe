#include "keypad/engine/operator_nodes.h"

#include "common/float_guard.h"

#include <cmath>

namespace {

// Degrees and grads into radians for the trigonometric functions, and back for their
// inverses.
constexpr long double kDegToRad = 0.0174532925199432957691L;
constexpr long double kGradToRad = 0.0157079632679489661919L;
constexpr long double kRadToDeg = 57.2957795130823208767L;
constexpr long double kRadToGrad = 63.6619772367581343055L;

long double toRadians(long double x, AngleMode mode)
{
    switch (mode) {
    case AngleMode::Degrees:
        return x * kDegToRad;
    case AngleMode::Grads:
        return x * kGradToRad;
    case AngleMode::Radians:
        break;
    }
    return x;
}

long double fromRadians(long double x, AngleMode mode)
{
    switch (mode) {
    case AngleMode::Degrees:
        return x * kRadToDeg;
    case AngleMode::Grads:
        return x * kRadToGrad;
    case AngleMode::Radians:
        break;
    }
    return x;
}

} // namespace

void OperatorNode::Create(bool hyp, double x, int level, Operator op, int index)
{
    RightValue = Info(op).rightDefault;
    Priority = Info(op).priority + 3 * level;
    Level = level;
    Hyp = hyp;
    Index = index;
    OpNumber = op;
    TakeOperand(x);
}

// The new node stands for the right operand of `previous`: a prefix function typed after
// a two-operand operator or another prefix function (2 ^ sin 30, sin cos 30), or a postfix
// key on the number typed after one (16 ^ 2 1/x). It waits in front of `previous` and hands
// its result down as that operand when a later operator resolves it, so a sum waiting
// behind `previous` stays below the whole chain.
bool OperatorNode::GivesRightOperand(const OperatorNode* previous, const OperatorNode* next)
{
    if (previous->Level != next->Level)
        return false;
    const bool waitsForOperand = IsBinary(previous->OpNumber) || IsPrefix(previous->OpNumber);
    return waitsForOperand && (IsPrefix(next->OpNumber) || IsPostfix(next->OpNumber));
}

void OperatorNode::LinkOperator(OperatorNode* previous, OperatorNode* next)
{
    if (!previous || previous->Priority <= -1)
        return;
    if (GivesRightOperand(previous, next)) {
        next->Pending = previous;
        next->HasPending = true;
        return;
    }
    // A postfix key right after another works on the result that one has already shown
    // (3 x² x² is 81), so the new node simply takes over its place in the chain.
    if (IsPostfix(previous->OpNumber) && IsPostfix(next->OpNumber) &&
        previous->Level == next->Level) {
        next->Pending = previous->Pending;
        next->HasPending = previous->HasPending;
        previous->Pending = nullptr;
        previous->HasPending = false;
        return;
    }
    if (previous->Priority < next->Priority) {
        next->Pending = previous;
        next->HasPending = true;
        return;
    }
    // `previous` and the nodes waiting behind it with a priority of at least the new one's
    // are computed now; the first waiting node of a lower priority moves behind the new
    // node instead, so 1 + 2 * 3 ^ 2 * 4 forms the second product before the sum.
    for (OperatorNode* holder = previous; holder->HasPending; holder = holder->Pending) {
        if (holder->Pending->Priority < next->Priority) {
            next->Pending = holder->Pending;
            next->HasPending = true;
            holder->HasPending = false;
            holder->Pending = nullptr;
            break;
        }
    }
    // Percent after + or - takes the sum's value as its base.
    if (next->OpNumber == Operator::Percent &&
        (previous->OpNumber == Operator::Plus || previous->OpNumber == Operator::Minus)) {
        next->Pending = previous;
        next->HasPending = true;
        return;
    }
    previous->ResolveInto(next);
}

void OperatorNode::ResolveInto(OperatorNode* next)
{
    RightValue = next->LeftValue;
    Evaluate();
    next->LeftValue = ResultValue;
    next->ResultValue = ResultValue;
}

void OperatorNode::PassResult()
{
    if (m_context.InErrorState())
        return;
    if (HasPending) {
        Pending->RightValue = ResultValue;
        Pending->Evaluate();
        ResultValue = Pending->ResultValue;
    }
    if (!m_context.InErrorState())
        m_context.ShowResult(ResultValue);
}

template <typename F> bool OperatorNode::Guarded(F compute)
{
    double value = 0;
    switch (RunGuarded(compute, value)) {
    case FloatFault::None:
        ResultValue = value;
        return true;
    case FloatFault::DivisionByZero:
        m_context.ReportError(CalcError::DivisionByZero);
        break;
    case FloatFault::Invalid:
        m_context.ReportError(CalcError::InvalidOperation);
        break;
    case FloatFault::Overflow:
        m_context.ReportError(CalcError::Overflow);
        break;
    case FloatFault::Underflow:
        m_context.ReportError(CalcError::Underflow);
        break;
    }
    return false;
}

void BinaryOperatorNode::TakeOperand(double x)
{
    LeftValue = x;
    ResultValue = x;
    LinkOperator(m_context.CurrentOperator(), this);
}

void BinaryOperatorNode::Evaluate()
{
    const long double l = LeftValue;
    const long double r = RightValue;
    switch (OpNumber) {
    case Operator::Equals:
        LeftValue = ResultValue;
        RightValue = ResultValue;
        break;
    case Operator::Plus:
        Guarded([&] { return l + r; });
        break;
    case Operator::Minus:
        Guarded([&] { return l - r; });
        break;
    case Operator::Times:
        Guarded([&] { return l * r; });
        break;
    case Operator::Divide:
        Guarded([&] { return l / r; });
        break;
    case Operator::Power:
        Guarded([&] { return Power(l, r); });
        break;
    case Operator::Root:
        Guarded([&] { return Power(r, 1 / l); });
        break;
    default:
        break;
    }
    PassResult();
}

void PostfixOperatorNode::TakeOperand(double x)
{
    LeftValue = x;
    ResultValue = x;
    Evaluate();
    LinkOperator(m_context.CurrentOperator(), this);
}

void PostfixOperatorNode::Evaluate()
{
    const long double l = LeftValue;
    switch (OpNumber) {
    case Operator::Square:
        Guarded([&] { return l * l; });
        break;
    case Operator::Reciprocal:
        Guarded([&] { return 1 / l; });
        break;
    case Operator::Factorial: {
        long double result = 0;
        if (Factorial(l, result))
            Guarded([&] { return result; });
        else
            m_context.ReportError(CalcError::ArgumentOutOfRange);
        break;
    }
    case Operator::Exp:
        Guarded([&] { return std::exp(l); });
        break;
    case Operator::Percent:
        if (HasPending) {
            ResultValue = RightValue;
        } else {
            LeftValue = LeftValue / 100;
            ResultValue = LeftValue;
        }
        break;
    default:
        break;
    }
    PassResult();
}

void PrefixOperatorNode::TakeOperand(double)
{
    // The operand of a prefix function is typed after it and arrives as RightValue.
    LinkOperator(m_context.CurrentOperator(), this);
}

void PrefixOperatorNode::Evaluate()
{
    const AngleMode mode = m_context.Angle();
    const Operator op = OpNumber;
    if (Info(op).angle == AngleUse::Operand)
        RightValue = static_cast<double>(toRadians(RightValue, mode));
    const long double x = RightValue;
    const bool inverse = Info(op).angle == AngleUse::Result;
    Guarded([&]() -> long double {
        long double r = 0;
        switch (op) {
        case Operator::SquareRoot:
            return std::sqrt(x);
        case Operator::Log2:
            return std::log2(x);
        case Operator::Log10:
            return std::log10(x);
        case Operator::Ln:
            return std::log(x);
        case Operator::Sin:
            return Hyp ? std::sinh(x) : std::sin(x);
        case Operator::Cos:
            return Hyp ? std::cosh(x) : std::cos(x);
        case Operator::Tan:
            return Hyp ? std::tanh(x) : std::tan(x);
        case Operator::Cot:
            return 1 / (Hyp ? std::tanh(x) : std::tan(x));
        case Operator::ArcSin:
            r = Hyp ? std::asinh(x) : std::asin(x);
            break;
        case Operator::ArcCos:
            r = Hyp ? std::acosh(x) : std::acos(x);
            break;
        case Operator::ArcTan:
            r = Hyp ? std::atanh(x) : std::atan(x);
            break;
        case Operator::ArcCot:
            r = Hyp ? std::atanh(1 / x) : std::atan(1 / x);
            break;
        default:
            return x;
        }
        return inverse ? fromRadians(r, mode) : r;
    });
    PassResult();
}

std::unique_ptr<OperatorNode> MakeOperator(Operator op, OperatorContext& context)
{
    switch (KindOf(op)) {
    case OperatorKind::Equals:
    case OperatorKind::Binary:
        return std::make_unique<BinaryOperatorNode>(context);
    case OperatorKind::Postfix:
    case OperatorKind::Percent:
        return std::make_unique<PostfixOperatorNode>(context);
    case OperatorKind::Prefix:
        return std::make_unique<PrefixOperatorNode>(context);
    case OperatorKind::Text:
        break;
    }
    return nullptr;
}
