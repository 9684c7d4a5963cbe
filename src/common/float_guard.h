// One computation with the IEEE 754 exception flags cleared before and tested after.
// Extended precision is long double; the result is stored as double, so a value that only
// overflows or underflows on the way to double is caught too.
#pragma once

#include <cfenv>
#include <cmath>

enum class FloatFault { None, DivisionByZero, Invalid, Overflow, Underflow };

// `result` receives the value whatever happened; callers use it only where they accept the
// fault (a tiny result that underflowed to zero, say).
template <typename F> FloatFault RunGuarded(F compute, double& result)
{
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile long double wide = compute();
    volatile double value = static_cast<double>(wide);
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW | FE_UNDERFLOW);
    std::feclearexcept(FE_ALL_EXCEPT);
    result = value;
    if (raised & FE_DIVBYZERO)
        return FloatFault::DivisionByZero;
    if (raised & FE_INVALID)
        return FloatFault::Invalid;
    if (raised & FE_OVERFLOW)
        return FloatFault::Overflow;
    // A result below the normal range that the double can still hold (1E-308) is a number
    // like any other; underflow is an error only when a non-zero result is lost to zero.
    if ((raised & FE_UNDERFLOW) && value == 0.0)
        return FloatFault::Underflow;
    if (std::isnan(value))
        return FloatFault::Invalid;
    if (std::isinf(value))
        return FloatFault::Overflow;
    return FloatFault::None;
}
