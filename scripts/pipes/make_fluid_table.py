#!/usr/bin/env python3
"""Writes the glycol rows of the pipe page's fluid table, data/pipes/fluids.tsv.

The properties come from the polynomial fits of Å. Melinder for aqueous ethylene glycol and
propylene glycol: each property is a sum of c[i][j] · (x - xm)^i · (t - tm)^j with x the mass
fraction in percent and t the temperature in °C, i + j <= 5, j <= 3, around a base
concentration xm and a base temperature tm. The viscosity fit gives ln(μ / mPa·s); density
is in kg/m³, specific heat in J/(kg·K). The freezing-point fit has the same form; its terms
in t are not used (the freezing point depends on the concentration alone, and they move it
by less than 0.01 K).

Each row's concentration is the mass fraction at which the freezing-point fit reaches the
row's frost protection, found by bisection. Its nodes (every 10 °C from -20 to 160 °C) carry
values only inside the fits' validity: above the freezing point and up to 100 °C.

  make_fluid_table.py           write data/pipes/fluids.tsv
  make_fluid_table.py --check   check the fits against values worked out by an independent
                                implementation of the same source, and the written file
                                against what this script writes
"""

import argparse
import math
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
TABLE = ROOT / "data" / "pipes" / "fluids.tsv"

SOURCE = ['Å. Melinder, "Properties of Secondary Working Fluids for Indirect Systems",',
          "2nd ed., International Institute of Refrigeration (IIR), Paris 2010:"]

NODES = range(-20, 161, 10)  # °C
HIGHEST = 100.0               # °C, the upper limit of the fits
MAX_FRACTION = 60.0           # mass-%, the upper limit of the fits


class Mixture:
    """One glycol's fits: base point and coefficient rows c[i][0..] by power i of x - xm."""

    def __init__(self, name, xm, tm, freezing, viscosity, density, heat):
        self.name, self.xm, self.tm = name, xm, tm
        self.freezing, self.viscosity, self.density, self.heat = (
            freezing, viscosity, density, heat)

    def _fit(self, c, x, t):
        dx, dt = x - self.xm, t - self.tm
        return sum(value * dx ** i * dt ** j
                   for i, row in enumerate(c) for j, value in enumerate(row))

    def freezing_point(self, x):
        return sum(row[0] * (x - self.xm) ** i for i, row in enumerate(self.freezing))

    def dynamic_viscosity(self, x, t):  # mPa·s
        return math.exp(self._fit(self.viscosity, x, t))

    def rho(self, x, t):  # kg/m³
        return self._fit(self.density, x, t)

    def cp(self, x, t):  # J/(kg·K)
        return self._fit(self.heat, x, t)


# The coefficients of the source's tables; rows by the power of (x - xm), columns by the
# power of (t - tm).
ETHYLENE_GLYCOL = Mixture(
    "ethylene glycol", 30.8462, 31.728,
    freezing=((-1.5250e+01, -1.5660e-06, -2.2780e-07, 2.1690e-09),
              (-8.0800e-01, -1.3390e-06, 2.0470e-08, -2.7170e-11),
              (-1.3340e-02, 6.3220e-08, 2.3730e-10, -2.1830e-12),
              (-7.2930e-05, 1.7640e-09, -2.4420e-11),
              (1.0060e-06, -7.6620e-11),
              (1.1400e-09,)),
    viscosity=((4.7050e-01, -2.5500e-02, 1.7820e-04, -7.6690e-07),
               (2.4710e-02, -1.1710e-04, 1.0520e-06, -1.6340e-08),
               (3.3280e-06, 1.0860e-06, 1.0510e-08, -6.4750e-10),
               (1.6590e-06, 3.1570e-09, 4.0630e-10),
               (3.0890e-08, 1.8310e-10),
               (-1.8650e-09,)),
    density=((1.0340e+03, -4.7810e-01, -2.6920e-03, 4.7250e-06),
             (1.3110e+00, -6.8760e-03, 4.8050e-05, 1.6900e-08),
             (7.4900e-05, 7.8550e-05, -3.9950e-07, 4.9820e-09),
             (-1.0620e-04, 1.2290e-06, -1.1530e-08),
             (-9.6230e-07, -7.2110e-08),
             (4.8910e-08,)),
    heat=((3.7370e+03, 2.9300e+00, -4.6750e-03, -1.3890e-05),
          (-1.7990e+01, 1.0460e-01, -4.1470e-04, 1.8470e-07),
          (-9.9330e-02, 3.5160e-04, 5.1090e-06, -7.1380e-08),
          (2.6100e-03, -1.1890e-06, -1.6430e-07),
          (1.5370e-05, -4.2720e-07),
          (-1.6180e-06,)))

PROPYLENE_GLYCOL = Mixture(
    "propylene glycol", 30.7031, 32.7083,
    freezing=((-1.3250e+01, -3.8200e-05, 7.8650e-07, -1.7330e-09),
              (-6.6310e-01, 6.7740e-06, -6.2420e-08, -7.8190e-10),
              (-1.0940e-02, 5.3320e-08, -4.1690e-09, 3.2880e-11),
              (-2.2830e-04, -1.1310e-08, 1.9180e-10),
              (-3.4090e-06, 8.0350e-11),
              (1.4650e-08,)),
    viscosity=((6.8370e-01, -3.0450e-02, 2.5250e-04, -1.3990e-06),
               (3.3280e-02, -3.9840e-04, 4.3320e-06, -1.8600e-08),
               (5.4530e-05, -8.6000e-08, -1.5930e-08, -4.4650e-11),
               (-3.9000e-06, 1.0540e-07, -1.5890e-09),
               (-1.5870e-08, 4.4750e-10),
               (3.5640e-09,)),
    density=((1.0180e+03, -5.4060e-01, -2.6660e-03, 1.3470e-05),
             (7.6040e-01, -9.4500e-03, 5.5410e-05, -1.3430e-07),
             (-2.4980e-03, 2.7000e-05, -4.0180e-07, 3.3760e-09),
             (-1.5500e-04, 2.8290e-06, -7.1750e-09),
             (-1.1310e-06, -2.2210e-08),
             (2.3420e-08,)),
    heat=((3.8820e+03, 2.6990e+00, -1.6590e-03, -1.0320e-05),
          (-1.3040e+01, 5.0700e-02, -4.7520e-05, 1.5220e-06),
          (-1.5980e-01, 9.5340e-05, 1.1670e-05, -4.8700e-08),
          (3.5390e-04, 3.1020e-05, -2.9500e-07),
          (5.0000e-05, -7.1350e-07),
          (-4.9590e-07,)))

# The program's fluid numbers with their names and frost protection in °C.
ROWS = [
    (2, "20% Antifrogen N (-10°C)", ETHYLENE_GLYCOL, -10),
    (3, "27% Antifrogen N (-15°C)", ETHYLENE_GLYCOL, -15),
    (4, "34% Antifrogen N (-20°C)", ETHYLENE_GLYCOL, -20),
    (5, "39% Antifrogen N (-25°C)", ETHYLENE_GLYCOL, -25),
    (6, "44% Antifrogen N (-30°C)", ETHYLENE_GLYCOL, -30),
    (7, "48% Antifrogen N (-35°C)", ETHYLENE_GLYCOL, -35),
    (8, "52% Antifrogen N (-40°C)", ETHYLENE_GLYCOL, -40),
    (9, "56% Antifrogen N (-45°C)", ETHYLENE_GLYCOL, -45),
    (10, "32% Antifrogen L (-15°C)", PROPYLENE_GLYCOL, -15),
    (11, "38% Antifrogen L (-20°C)", PROPYLENE_GLYCOL, -20),
    (12, "43% Antifrogen L (-25°C)", PROPYLENE_GLYCOL, -25),
    (13, "47% Antifrogen L (-30°C)", PROPYLENE_GLYCOL, -30),
    (14, "52% Antifrogen L (-35°C)", PROPYLENE_GLYCOL, -35),
    (15, "55% Antifrogen L (-40°C)", PROPYLENE_GLYCOL, -40),
    (16, "60% Antifrogen L (-45°C)", PROPYLENE_GLYCOL, -45),
]

# Values of the same fits worked out by an independent implementation (the test values of
# the SecondaryCoolantProps package): mass fraction in %, °C, μ in Pa·s, ρ in kg/m³, cp in
# J/(kg·K); and freezing points.
REFERENCES = [
    (ETHYLENE_GLYCOL, 20, 20, 1.6624e-03, 1.0241e+03, 3.8962e+03),
    (ETHYLENE_GLYCOL, 40, 5, 4.7569e-03, 1.0585e+03, 3.4559e+03),
    (ETHYLENE_GLYCOL, 40, 20, 2.8191e-03, 1.0519e+03, 3.5190e+03),
    (ETHYLENE_GLYCOL, 40, 40, 1.6351e-03, 1.0414e+03, 3.5978e+03),
    (PROPYLENE_GLYCOL, 20, 20, 2.0301e-03, 1.0148e+03, 3.9768e+03),
    (PROPYLENE_GLYCOL, 40, 5, 8.9817e-03, 1.0401e+03, 3.6580e+03),
    (PROPYLENE_GLYCOL, 40, 20, 4.3838e-03, 1.0323e+03, 3.7067e+03),
    (PROPYLENE_GLYCOL, 40, 40, 2.1408e-03, 1.0201e+03, 3.7708e+03),
]
FREEZING_REFERENCES = [
    (ETHYLENE_GLYCOL, 20, -7.949), (ETHYLENE_GLYCOL, 40, -23.813),
    (ETHYLENE_GLYCOL, 60, -51.201),
]


def fraction_for(mixture, frost):
    """The mass fraction in % whose freezing point is `frost`, or None beyond the fits."""
    lo, hi = 0.0, MAX_FRACTION
    if not mixture.freezing_point(hi) <= frost < mixture.freezing_point(lo):
        return None
    for _ in range(100):
        mid = (lo + hi) / 2
        if mixture.freezing_point(mid) > frost:
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def significant(value, digits=4):
    """`value` rounded to `digits` significant digits, without an exponent."""
    decimals = max(digits - 1 - math.floor(math.log10(abs(value))), 0)
    return f"{round(value, decimals):.{decimals}f}"


def table_text():
    lines = [
        "# Glycol mixtures of the pipe page's fluid table, written by",
        "# scripts/pipes/make_fluid_table.py; edit that script, not this file.",
        "#",
        f"# Source: {SOURCE[0]}",
        f"# {SOURCE[1]}",
        "# its polynomial fits for aqueous ethylene glycol and propylene glycol (freezing point,",
        "# density, specific heat, viscosity over mass fraction and temperature).",
        "#",
        "# A row's concentration is the mass fraction at which the freezing-point fit reaches",
        "# the frost protection in the row's name. The percentage in the name is the product's",
        "# share by volume; it cannot be turned into a mass fraction without the product's own",
        "# data sheet, so the rows are pure glycol-water mixtures with that frost protection.",
        "# Values only inside the fits' validity: above the freezing point and up to 100 °C,",
        "# so -20 °C and -10 °C only where the frost protection reaches below them. A node",
        "# without a line has no value; nothing is extrapolated. Water (fluid 1) is built into",
        "# the program; air (fluid 17) is not given.",
        "#",
        "# Tab-separated: fluid number, node °C, kinematic viscosity mm²/s (dynamic viscosity",
        "# over density), density kg/m³, specific heat capacity kJ/(kg·K); 4 significant digits.",
    ]
    left_out = []
    for number, name, mixture, frost in ROWS:
        x = fraction_for(mixture, frost)
        if x is None:
            left_out.append(f"# {number} {name}: the fits' concentration range does not reach "
                            f"{frost} °C; left out.")
            continue
        lines.append("#")
        lines.append(f"# {number} {name}: {mixture.name}, mass fraction {x / 100:.4f}, "
                     f"freezing point {mixture.freezing_point(x):.1f} °C")
        for t in NODES:
            if not frost < t <= HIGHEST:
                continue
            rho = mixture.rho(x, t)
            nu = mixture.dynamic_viscosity(x, t) / rho * 1000
            lines.append("\t".join([str(number), str(t), significant(nu), significant(rho),
                                    significant(mixture.cp(x, t) / 1000)]))
    if left_out:
        lines.append("#")
        lines.extend(left_out)
    return "\n".join(lines) + "\n"


def check():
    faults = []
    for mixture, x, t, mu, rho, cp in REFERENCES:
        for what, ours, theirs in (("viscosity", mixture.dynamic_viscosity(x, t) / 1000, mu),
                                   ("density", mixture.rho(x, t), rho),
                                   ("specific heat", mixture.cp(x, t), cp)):
            if abs(ours - theirs) > 1e-3 * abs(theirs):
                faults.append(f"{mixture.name} {x}% {t} °C {what}: {ours:.5g}, "
                              f"reference {theirs:.5g}")
    for mixture, x, t_freeze in FREEZING_REFERENCES:
        if abs(mixture.freezing_point(x) - t_freeze) > 0.01:
            faults.append(f"{mixture.name} {x}%: freezing point {mixture.freezing_point(x):.3f}"
                          f" °C, reference {t_freeze}")
    if not TABLE.exists() or TABLE.read_text(encoding="utf-8") != table_text():
        faults.append(f"{TABLE.relative_to(ROOT)} is not what this script writes")
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true")
    if parser.parse_args().check:
        return check()
    TABLE.write_text(table_text(), encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
