#!/usr/bin/env python3
"""Reference values for pipe_hydraulics_test.cpp, worked out apart from the program's code.

Each row is a point at the edge of one branch of the friction-factor chain:
    x = Re·k/d > 1300            rough:       λ = 1 / (2·log10(d/k) + 1.138)²
    65 <= x <= 1300              Colebrook:   1/√λ = -2·log10(2.51/(Re·√λ) + (k/d)/3.71)
    x < 65, Re < 2320            laminar:     λ = 64/Re
            2320 <= Re < 1e5     Blasius:     λ = 0.3164·Re^-0.25
            1e5 <= Re <= 1e6     Nikuradse:   λ = 0.0032 + 0.221·Re^-0.237
            Re > 1e6             Prandtl-Kármán: 1/√λ = 2·log10(Re·√λ) - 0.8
The implicit laws are iterated from 0.02 until two values differ by less than 1e-5 (the value
the program shows), and also solved exactly by bisection, to show how close that stop lies
to the root. d = 2^-5 m and k = 2^-15 m make x an exact binary number, so that the edges
x = 65 and x = 1300 are met exactly.

Run: python3 tests/pipes/friction_reference.py  (prints the rows of the test's table)
"""
import math

D = 2.0 ** -5
K = 2.0 ** -15


def colebrook_step(lam, re, d, k):
    return 1 / (-2 * math.log10(2.51 / (re * math.sqrt(lam)) + (k / d) / 3.71)) ** 2


def karman_step(lam, re, d, k):
    return 1 / (2 * math.log10(re * math.sqrt(lam)) - 0.8) ** 2


def iterate(step, re, d, k):
    lam = 0.02
    while True:
        nxt = step(lam, re, d, k)
        if abs(lam - nxt) < 1e-5:
            return nxt
        lam = nxt


def exact(step, re, d, k):
    # The root of λ = step(λ): bisection on g(λ) = step(λ) - λ.
    lo, hi = 1e-4, 1.0
    for _ in range(200):
        mid = (lo + hi) / 2
        if step(mid, re, d, k) - mid > 0:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def chain(re, d, k):
    x = re * k / d
    if x > 1300:
        return "rough", 1 / (2 * math.log10(d / k) + 1.138) ** 2, None
    if x >= 65:
        return ("Colebrook", iterate(colebrook_step, re, d, k), exact(colebrook_step, re, d, k))
    if re < 2320:
        return "laminar", 64 / re, None
    if re < 100000:
        return "Blasius", 0.3164 * re ** -0.25, None
    if re <= 1000000:
        return "Nikuradse", 0.0032 + 0.221 * re ** -0.237, None
    return "Prandtl-Karman", iterate(karman_step, re, d, k), exact(karman_step, re, d, k)


POINTS = [
    (2319, D, 0.0),            # last laminar Re
    (2320, D, 0.0),            # first Blasius Re
    (99999, D, 0.0),           # last Blasius Re
    (100000, D, 0.0),          # first Nikuradse Re
    (1000000, D, 0.0),         # last Nikuradse Re
    (1000001, D, 0.0),         # first Prandtl-Kármán Re
    (1e8, D, 0.0),             # far into Prandtl-Kármán
    (2000000, D, 2.0 ** -25),  # rough wall, yet x = 1.9: still smooth
    (66559, D, K),             # x = 64.999: smooth (Blasius)
    (66560, D, K),             # x = 65: first Colebrook
    (1331200, D, K),           # x = 1300: last Colebrook
    (1331201, D, K),           # x just above 1300: rough
]

for re, d, k in POINTS:
    branch, lam, root = chain(re, d, k)
    root_text = "0" if root is None else repr(root)
    print(f"    {{{re!r}, {d!r}, {k!r}, {lam!r}, {root_text}}}, // {branch}, x = {re * k / d!r}")
