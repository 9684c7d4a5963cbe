#include "operator_nodes.h"

#include "float_guard.h"

#include <cmath>

namespace {

struct OperatorInfo {
    const char* text;
    int priority;      // priority base; +3 for every open parenthesis level
    double rightValue; // default right operand
};

const OperatorInfo kOperators[Op::Count] = {
    {"=", -1, 0},   {"+", 0, 0},       {"-", 0, 0},       {"*", 1, 1.0},     {"/", 1, 1.0},
    {"^2", 2, 1.0}, {" W", 2, 0},      {"^", 2, 0},       {".W", 2, 1.0},    {" sin", 2, 0},
    {" cos", 2, 0}, {" tan", 2, 0},    {" cot", 2, 0},    {" log2 ", 2, 0},  {" log10 ", 2, 0},
    {" ln", 2, 0},  {" arcsin", 2, 0}, {" arccos", 2, 0}, {" arctan", 2, 0}, {" arccot", 2, 0},
    {"1/", 2, 0},   {"!", 2, 0},       {" e^", 2, 0},     {"(", 0, 0},       {")", 0, 0},
    {"h", 0, 0},    {"%", 2, 0},
};

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

namespace Op {
const char* DisplayText(int op)
{
    return (op >= 0 && op < Count) ? kOperators[op].text : "";
}

bool IsTwoOperand(int op)
{
    return (op >= 1 && op <= 4) || op == 7 || op == 8;
}

bool IsPostfix(int op)
{
    return op == 5 || (op >= 20 && op <= 22);
}

bool IsPrefix(int op)
{
    return op == 6 || (op >= 9 && op <= 19);
}
} // namespace Op

long double Power(long double base, long double exponent)
{
    if (exponent == 0)
        return 1;
    if (base == 0 && exponent > 0)
        return 0;
    if (std::trunc(exponent) == exponent && std::fabs(exponent) <= 2147483647.0L) {
        auto n = static_cast<long long>(std::fabs(exponent));
        long double result = 1;
        long double factor = base;
        while (n > 0) {
            if (n & 1)
                result *= factor;
            factor *= factor;
            n >>= 1;
        }
        return exponent < 0 ? 1 / result : result;
    }
    return std::exp(exponent * std::log(base));
}

bool Factorial(long double n, long double& result)
{
    if (n == 0) {
        result = 1;
        return true;
    }
    if (std::trunc(n) != n || n < 0 || n >= 70)
        return false;
    long double rest = 1;
    Factorial(n - 1, rest);
    result = n * rest;
    return true;
}

void TOperator::Create(bool hyp, double x, int level, int opNumber, int index)
{
    RightValue = kOperators[opNumber].rightValue;
    Priority = kOperators[opNumber].priority + 3 * level;
    Level = level;
    Hyp = hyp;
    Index = index;
    OpNumber = opNumber;
    TakeOperand(x);
}

void TOperator::LinkOperator(TOperator* previous, TOperator* next)
{
    if (!previous || previous->Priority <= -1)
        return;
    if (previous->Priority < next->Priority) {
        next->Pending = previous;
        next->HasPending = true;
        return;
    }
    if (previous->HasPending && previous->Pending->Priority < next->Priority) {
        next->Pending = previous->Pending;
        next->HasPending = true;
        previous->HasPending = false;
        previous->Pending = nullptr;
    }
    // A prefix function typed right after another waits for it: sin cos 30 computes cos first.
    if (Op::IsPrefix(previous->OpNumber) && Op::IsPrefix(next->OpNumber)) {
        next->Pending = previous;
        next->HasPending = true;
        return;
    }
    // Percent after + or - takes the sum's value as its base.
    if (next->OpNumber == Op::Percent &&
        (previous->OpNumber == Op::Plus || previous->OpNumber == Op::Minus)) {
        next->Pending = previous;
        next->HasPending = true;
        return;
    }
    previous->ResolveInto(next);
}

void TOperator::ResolveInto(TOperator* next)
{
    RightValue = next->LeftValue;
    Evaluate();
    next->LeftValue = ResultValue;
    next->ResultValue = ResultValue;
}

void TOperator::PassResult()
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

template <typename F> bool TOperator::Guarded(F compute)
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

void TOperatorBoth::TakeOperand(double x)
{
    LeftValue = x;
    ResultValue = x;
    LinkOperator(m_context.CurrentOperator(), this);
}

void TOperatorBoth::Evaluate()
{
    const long double l = LeftValue;
    const long double r = RightValue;
    switch (OpNumber) {
    case Op::Equals:
        LeftValue = ResultValue;
        RightValue = ResultValue;
        break;
    case Op::Plus:
        Guarded([&] { return l + r; });
        break;
    case Op::Minus:
        Guarded([&] { return l - r; });
        break;
    case Op::Times:
        Guarded([&] { return l * r; });
        break;
    case Op::Divide:
        Guarded([&] { return l / r; });
        break;
    case Op::Power:
        Guarded([&] { return Power(l, r); });
        break;
    case Op::Root:
        Guarded([&] { return Power(r, 1 / l); });
        break;
    default:
        break;
    }
    PassResult();
}

void TOperatorLeft::TakeOperand(double x)
{
    LeftValue = x;
    ResultValue = x;
    Evaluate();
    LinkOperator(m_context.CurrentOperator(), this);
}

void TOperatorLeft::Evaluate()
{
    const long double l = LeftValue;
    switch (OpNumber) {
    case Op::Square:
        Guarded([&] { return l * l; });
        break;
    case Op::Reciprocal:
        Guarded([&] { return 1 / l; });
        break;
    case Op::Factorial: {
        long double result = 0;
        if (Factorial(l, result))
            Guarded([&] { return result; });
        else
            m_context.ReportError(CalcError::ArgumentOutOfRange);
        break;
    }
    case Op::Exp:
        Guarded([&] { return std::exp(l); });
        break;
    case Op::Percent:
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

void TOperatorRight::TakeOperand(double)
{
    // The operand of a prefix function is typed after it and arrives as RightValue.
    LinkOperator(m_context.CurrentOperator(), this);
}

void TOperatorRight::Evaluate()
{
    const AngleMode mode = m_context.Angle();
    const int op = OpNumber;
    if (op >= Op::Sin && op <= Op::Cot)
        RightValue = static_cast<double>(toRadians(RightValue, mode));
    const long double x = RightValue;
    const bool inverse = op >= Op::ArcSin && op <= Op::ArcCot;
    Guarded([&]() -> long double {
        long double r = 0;
        switch (op) {
        case Op::SquareRoot:
            return std::sqrt(x);
        case Op::Log2:
            return std::log2(x);
        case Op::Log10:
            return std::log10(x);
        case Op::Ln:
            return std::log(x);
        case Op::Sin:
            return Hyp ? std::sinh(x) : std::sin(x);
        case Op::Cos:
            return Hyp ? std::cosh(x) : std::cos(x);
        case Op::Tan:
            return Hyp ? std::tanh(x) : std::tan(x);
        case Op::Cot:
            return 1 / (Hyp ? std::tanh(x) : std::tan(x));
        case Op::ArcSin:
            r = Hyp ? std::asinh(x) : std::asin(x);
            break;
        case Op::ArcCos:
            r = Hyp ? std::acosh(x) : std::acos(x);
            break;
        case Op::ArcTan:
            r = Hyp ? std::atanh(x) : std::atan(x);
            break;
        case Op::ArcCot:
            r = Hyp ? std::atanh(1 / x) : std::atan(1 / x);
            break;
        default:
            return x;
        }
        return inverse ? fromRadians(r, mode) : r;
    });
    PassResult();
}

std::unique_ptr<TOperator> MakeOperator(int opNumber, OperatorContext& context)
{
    if (Op::IsTwoOperand(opNumber) || opNumber == Op::Equals)
        return std::make_unique<TOperatorBoth>(context);
    if (Op::IsPostfix(opNumber) || opNumber == Op::Percent)
        return std::make_unique<TOperatorLeft>(context);
    if (Op::IsPrefix(opNumber))
        return std::make_unique<TOperatorRight>(context);
    return nullptr;
}
