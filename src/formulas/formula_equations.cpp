#include "formula_equations.h"

#include "calculator/number_text.h"
#include "calculator/operator_nodes.h"

#include <cmath>
#include <numbers>

namespace {

using K = SolveBlock::Kind;
constexpr long double pi = std::numbers::pi_v<long double>;

// Building services: reference pressure difference (mbar), reference density of water at
// 15 °C (kg/m³), the zeta divisor, gravity (m/s²) and the density difference between return
// and flow water (kg/m³), its product, and the norm excess temperature of a radiator (K).
constexpr long double dp0 = 1000;
constexpr long double rho0 = 999.1L;
constexpr long double zetaDivisor = 200;
constexpr long double gravity = 9.81L;
constexpr long double densityDifference = 11.6L;
constexpr long double inverseBuoyancy = 113.796L;
constexpr long double normExcess = 49.83L;

SolveBlock block(int slot, long double (*eq)(const SlotValues&), std::vector<int> needs = {})
{
    SolveBlock b;
    b.slot = slot;
    b.equation = eq;
    b.needs = std::move(needs);
    return b;
}

SolveBlock notPossible(int slot, std::vector<int> needs)
{
    SolveBlock b;
    b.slot = slot;
    b.kind = K::NotPossible;
    b.focusGate = false;
    b.needs = std::move(needs);
    return b;
}

std::vector<SolveBlock> withoutFocusGate(std::vector<SolveBlock> blocks)
{
    for (auto& b : blocks)
        b.focusGate = false;
    return blocks;
}

std::vector<std::vector<SolveBlock>> buildBlocks()
{
    std::vector<std::vector<SolveBlock>> f(36);
    using V = const SlotValues&;

    // 0 Volumenstrom: V̇ = Q̇ / ((Tv − Tr) · cp · ρ)
    f[0] = {block(0, [](V v) { return v[1] / (((v[2] - v[3]) * v[4]) * v[5]); }),
            block(1, [](V v) { return (((v[2] - v[3]) * v[4]) * v[5]) * v[0]; }),
            block(2, [](V v) { return v[3] + v[1] / ((v[0] * v[4]) * v[5]); }),
            block(3, [](V v) { return v[2] - v[1] / ((v[0] * v[4]) * v[5]); }),
            block(4, [](V v) { return v[1] / (((v[2] - v[3]) * v[0]) * v[5]); }),
            block(5, [](V v) { return v[1] / (((v[2] - v[3]) * v[0]) * v[4]); })};
    // 1 Massenstrom: ṁ = Q̇ / ((Tv − Tr) · cp)
    f[1] = {block(0, [](V v) { return v[1] / ((v[2] - v[3]) * v[4]); }),
            block(1, [](V v) { return ((v[2] - v[3]) * v[4]) * v[0]; }),
            block(2, [](V v) { return v[3] + v[1] / (v[0] * v[4]); }),
            block(3, [](V v) { return v[2] - v[1] / (v[0] * v[4]); }),
            block(4, [](V v) { return v[1] / ((v[2] - v[3]) * v[0]); })};
    // 2 Kv-Wert: kv = V̇ · √((ρ · 1000) / (Δp · 999,1))
    f[2] = {block(0, [](V v) { return v[1] * std::sqrt((v[2] * dp0) / (v[3] * rho0)); }),
            block(1, [](V v) { return v[0] / std::sqrt((v[2] * dp0) / (v[3] * rho0)); }),
            block(2, [](V v) { return ((v[3] * (v[0] * v[0])) * rho0) / ((v[1] * v[1]) * dp0); }),
            block(3, [](V v) { return (v[2] * ((v[1] * v[1]) * dp0)) / ((v[0] * v[0]) * rho0); })};
    // 3 Kv-Wert parallel: kv = kv1 + kv2
    f[3] = {block(0, [](V v) { return v[2] + v[1]; }), block(1, [](V v) { return v[0] - v[2]; }),
            block(2, [](V v) { return v[0] - v[1]; })};
    // 4 Kv-Wert in Reihe: kv = kv1 · kv2 / √(kv1'² + kv2'²); kv1 and kv2 cannot be solved
    f[4] = withoutFocusGate(
        {block(0, [](V v) { return (v[2] * v[1]) / std::sqrt(v[4] * v[4] + v[3] * v[3]); },
               {1, 2, 3, 4}),
         notPossible(1, {0, 2}), notPossible(2, {0, 1})});
    // 5 Druckdifferenz aus Kv-Wert: Δp = ((ρ · 1000) / 999,1) · (V̇ / kv)²
    f[5] = {block(0, [](V v) { return ((v[3] * dp0) / rho0) * ((v[1] / v[2]) * (v[1] / v[2])); }),
            block(1, [](V v) { return v[2] * std::sqrt((v[0] * rho0) / (v[3] * dp0)); }),
            block(2, [](V v) { return v[1] / std::sqrt((v[0] * rho0) / (v[3] * dp0)); }),
            block(3, [](V v) { return ((v[0] * rho0) / dp0) / ((v[1] / v[2]) * (v[1] / v[2])); })};
    // 6 Druckdifferenz aus Zeta: Δp = Σζ · ρ · u² / 200
    f[6] = {block(0, [](V v) { return v[1] * ((v[2] * (v[3] * v[3])) / zetaDivisor); }),
            block(1, [](V v) { return (v[0] * zetaDivisor) / (v[2] * (v[3] * v[3])); }),
            block(2, [](V v) { return (v[0] * zetaDivisor) / (v[1] * (v[3] * v[3])); }),
            block(3, [](V v) { return std::sqrt((v[0] * zetaDivisor) / (v[2] * v[1])); })};
    // 7 thermischer Auftrieb: Δp = H · 9,81 · 11,6
    f[7] = {block(0, [](V v) { return (v[1] * gravity) * densityDifference; }),
            block(1, [](V v) { return v[0] / inverseBuoyancy; })};
    // 8 Heizkörper-Vergrößerungsfaktor: f = (49,83 · ln((Tv − Ti) / (Tr − Ti)) / (Tv − Tr))ⁿ
    f[8] = {block(0, [](V v) {
        const long double a = v[1] - v[2];
        const long double b = v[3] - v[4];
        const long double l = std::log(a / b);
        const long double c = v[5] - v[6];
        const long double base = (l / c) * normExcess;
        return Power(base, v[7]);
    })};

    // Areas
    f[9] = {block(0, [](V v) { return v[1] * v[1]; }),
            block(1, [](V v) { return std::sqrt(v[0]); })};
    f[10] = {block(0, [](V v) { return v[2] * v[1]; }), block(1, [](V v) { return v[0] / v[2]; }),
             block(2, [](V v) { return v[0] / v[1]; })};
    f[11] = f[10];
    f[12] = {block(0, [](V v) { return (v[2] * v[1]) / 2; }),
             block(1, [](V v) { return (v[0] * 2) / v[2]; }),
             block(2, [](V v) { return (v[0] * 2) / v[1]; })};
    f[13] = {block(0, [](V v) { return (v[3] * (v[2] + v[1])) / 2; }),
             block(1, [](V v) { return (v[0] * 2) / v[3] - v[2]; }),
             block(2, [](V v) { return (v[0] * 2) / v[3] - v[1]; }),
             block(3, [](V v) { return (v[0] * 2) / (v[2] + v[1]); })};
    f[14] = {block(0, [](V v) { return (v[1] * v[1]) * pi; }),
             block(1, [](V v) { return std::sqrt(v[0] / pi); })};
    f[15] = {block(0, [](V v) { return ((v[1] * v[1]) * pi) / 4; }),
             block(1, [](V v) { return std::sqrt((v[0] * 4) / pi); })};
    f[16] = f[15];
    f[17] = {block(0, [](V v) { return v[1] - v[2]; }), block(1, [](V v) { return v[2] + v[0]; }),
             block(2, [](V v) { return v[1] - v[0]; })};
    f[18] = {block(0, [](V v) { return (v[2] * v[1]) / 4; }),
             block(1, [](V v) { return (v[0] * 4) / v[2]; }),
             block(2, [](V v) { return (v[0] * 4) / v[1]; })};
    // 19 Kreisabschnitt. d is found from 4A = b·d − s·(d − 2h) when the user emptied its
    // field: its mirror d' only holds a number while d itself is given.
    {
        SolveBlock d = block(2, [](V v) { return (4 * v[0] - 2 * v[3] * v[5]) / (v[1] - v[3]); },
                             {0, 1, 3, 5});
        d.onlyWhenFieldEmpty = true;
        f[19] = {block(0, [](V v) { return (v[2] * v[1]) / 4 - (v[3] * (v[4] - v[5] * 2)) / 4; }),
                 block(1, [](V v) { return ((v[3] * (v[4] - v[5] * 2)) + v[0] * 4) / v[2]; }), d,
                 block(3, [](V v) { return ((v[2] * v[1]) - v[0] * 4) / (v[2] - v[5] * 2); }),
                 block(5, [](V v) { return ((((v[2] * v[1]) - v[0] * 4) / v[3]) - v[2]) / (-2); })};
    }
    f[35] = {block(0, [](V v) { return (v[1] * 2) * pi; }),
             block(1, [](V v) { return v[0] / (2 * pi); })};
    f[20] = {block(0, [](V v) { return ((v[2] * v[1]) * pi) / 4; }),
             block(1, [](V v) { return (v[0] * 4) / (v[2] * pi); }),
             block(2, [](V v) { return (v[0] * 4) / (v[1] * pi); })};
    // 21, 22 Sechskant: the other measure follows the typed one at once.
    {
        SolveBlock e = block(1, [](V v) { return v[0] * 1.155L; }, {0});
        e.kind = K::Always;
        f[21] = {e};
        SolveBlock sw = block(1, [](V v) { return v[0] * 0.866L; }, {0});
        sw.kind = K::Always;
        f[22] = {sw};
    }

    // Volumes
    f[23] = {block(0, [](V v) { return Power(v[1], 3); }),
             block(1, [](V v) { return Power(v[0], 1.0L / 3); })};
    f[24] = {block(0, [](V v) { return v[3] * (v[2] * v[1]); }),
             block(1, [](V v) { return v[0] / (v[3] * v[2]); }),
             block(2, [](V v) { return v[0] / (v[3] * v[1]); }),
             block(3, [](V v) { return v[0] / (v[2] * v[1]); })};
    f[25] = {block(0, [](V v) { return v[2] * (((v[1] * v[1]) * pi) / 4); }),
             block(1, [](V v) { return std::sqrt((v[0] * 4) / (v[2] * pi)); }),
             block(2, [](V v) { return (v[0] * 4) / ((v[1] * v[1]) * pi); })};
    f[26] = {block(0, [](V v) { return ((v[2] * v[2]) - (v[3] * v[3])) * ((v[1] * pi) / 4); }),
             block(1, [](V v) { return (v[0] * 4) / (((v[2] * v[2]) - (v[3] * v[3])) * pi); }),
             block(2, [](V v) { return std::sqrt((v[3] * v[3]) + (v[0] * 4) / (v[1] * pi)); }),
             block(3, [](V v) { return std::sqrt((v[2] * v[2]) - (v[0] * 4) / (v[1] * pi)); })};
    f[27] = {block(0, [](V v) { return (v[3] * (v[2] * v[1])) / 3; }),
             block(1, [](V v) { return (v[0] * 3) / (v[3] * v[2]); }),
             block(2, [](V v) { return (v[0] * 3) / (v[3] * v[1]); }),
             block(3, [](V v) { return (v[0] * 3) / (v[2] * v[1]); })};
    f[28] = {block(0, [](V v) { return (v[2] / 3) * (((v[1] * v[1]) * pi) / 4); }),
             block(1, [](V v) { return std::sqrt((v[0] * 12) / (v[2] * pi)); }),
             block(2, [](V v) { return (v[0] * 12) / ((v[1] * v[1]) * pi); })};
    f[29] = {block(0, [](V v) { return (v[1] / 3) * ((v[3] + v[2]) + std::sqrt(v[5] * v[4])); },
                   {1, 2, 3}),
             block(1, [](V v) { return (v[0] * 3) / ((v[3] + v[2]) + std::sqrt(v[5] * v[4])); },
                   {0, 2, 3}),
             notPossible(2, {0, 1, 3}), notPossible(3, {0, 1, 2})};
    f[30] = {
        block(0,
              [](V v) {
                  return ((v[5] * v[4]) + ((v[3] * v[3]) + (v[2] * v[2]))) * ((v[1] * pi) / 12);
              },
              {1, 2, 3}),
        block(1,
              [](V v) {
                  return (v[0] * 12) / (((v[5] * v[4]) + ((v[3] * v[3]) + (v[2] * v[2]))) * pi);
              },
              {0, 2, 3}),
        notPossible(2, {0, 1, 3}), notPossible(3, {0, 1, 2})};
    f[31] = {block(0, [](V v) { return (Power(v[1], 3) * pi) / 6; }),
             block(1, [](V v) { return Power((v[0] * 6) / pi, 1.0L / 3); })};
    f[32] = {block(0, [](V v) { return ((v[2] * 3) - (v[3] * 2)) * (((v[1] * v[1]) * pi) / 6); },
                   {1, 2, 3}),
             notPossible(1, {0, 2}),
             block(2, [](V v) { return (v[3] * 2) / 3 + (v[0] * 6) / ((v[1] * v[1]) * (3 * pi)); },
                   {0, 1, 3})};
    f[33] = {block(0, [](V v) { return v[2] * ((v[1] * v[1]) * (pi / 6)); }),
             block(1, [](V v) { return std::sqrt((v[0] * 6) / (v[2] * pi)); }),
             block(2, [](V v) { return (v[0] * 6) / ((v[1] * v[1]) * pi); })};
    f[34] = {
        block(0, [](V v) { return ((v[3] * v[3]) + (v[2] * v[2]) * 2) * ((v[1] * pi) / 12); }),
        block(1, [](V v) { return (v[0] * 12) / (((v[3] * v[3]) + (v[2] * v[2]) * 2) * pi); }),
        block(2, [](V v) { return std::sqrt((v[0] * 6) / (v[1] * pi) - (v[3] * v[3]) / 2); }),
        block(3, [](V v) { return std::sqrt((v[0] * 12) / (v[1] * pi) - (v[2] * v[2]) * 2); })};
    return f;
}

} // namespace

const std::vector<SolveBlock>& SolveBlocks(int formulaNumber)
{
    static const auto blocks = buildBlocks();
    static const std::vector<SolveBlock> none;
    if (formulaNumber < 0 || formulaNumber >= int(blocks.size()))
        return none;
    return blocks[size_t(formulaNumber)];
}

long double TolerantExponent(const QString& text)
{
    // The longest leading part that is a number counts.
    const QString t = ToComma(text.trimmed());
    for (qsizetype n = t.size(); n > 0; --n)
        if (const auto v = ParseNumber(t.left(n)))
            return *v;
    return 0;
}
