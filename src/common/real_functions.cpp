#include "common/real_functions.h"

#include <cmath>

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
