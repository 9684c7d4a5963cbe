// The power and the factorial as the keypad and the formulas compute them.
#pragma once

// x raised to y by the library rule: y = 0 gives 1, x = 0 with y > 0 gives 0, an integral y
// multiplies, anything else is exp(y · ln x).
long double Power(long double base, long double exponent);
// n! for integral 0 ≤ n ≤ 69; nothing for any other n.
bool Factorial(long double n, long double& result);
