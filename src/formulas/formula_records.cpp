// The formula records of building services (0 … 8), and the table of all 36 records.
#include "formula_record_parts.h"

#include "calculator/operator_nodes.h"

#include <cmath>

namespace {

using namespace FormulaRecordParts;

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

void buildingServices(TableBuilder& t)
{
    // V̇ = Q̇ / ((Tv − Tr) · cp · ρ)
    t.add(0, G::BuildingServices, "Volumenstrom")
        .variables({slot("V", flow("V"), "[m³/h]", 4), slot("Q", flow("Q"), "[W]", 5),
                    slot("T", sym("T", "v"), "[K]", 6, 7), slot("T", sym("T", "r"), "[K]", 8, 7),
                    slot("cp", sym("cp"), "[Wh/kg/K]", 9, 10),
                    slot("ρ", italic("ρ"), "[kg/m³]", 11)})
        .solve({block(0, [](V v) { return v[1] / (((v[2] - v[3]) * v[4]) * v[5]); }),
                block(1, [](V v) { return (((v[2] - v[3]) * v[4]) * v[5]) * v[0]; }),
                block(2, [](V v) { return v[3] + v[1] / ((v[0] * v[4]) * v[5]); }),
                block(3, [](V v) { return v[2] - v[1] / ((v[0] * v[4]) * v[5]); }),
                block(4, [](V v) { return v[1] / (((v[2] - v[3]) * v[0]) * v[5]); }),
                block(5, [](V v) { return v[1] / (((v[2] - v[3]) * v[0]) * v[4]); })})
        .draw(layout(DrawLayout::VolumeFlow))
        .servicesLegend(6);
    // ṁ = Q̇ / ((Tv − Tr) · cp)
    t.add(1, G::BuildingServices, "Massenstrom")
        .variables({slot("m", flow("m"), "[kg/h]", 12), slot("Q", flow("Q"), "[W]", 13),
                    slot("T", sym("T", "v"), "[K]", 6, 7), slot("T", sym("T", "r"), "[K]", 8, 7),
                    slot("cp", sym("cp"), "[Wh/kg/K]", 9, 10)})
        .solve({block(0, [](V v) { return v[1] / ((v[2] - v[3]) * v[4]); }),
                block(1, [](V v) { return ((v[2] - v[3]) * v[4]) * v[0]; }),
                block(2, [](V v) { return v[3] + v[1] / (v[0] * v[4]); }),
                block(3, [](V v) { return v[2] - v[1] / (v[0] * v[4]); }),
                block(4, [](V v) { return v[1] / ((v[2] - v[3]) * v[0]); })})
        .draw(layout(DrawLayout::MassFlow))
        .servicesLegend(5);
    // kv = V̇ · √((ρ · 1000) / (Δp · 999,1))
    t.add(2, G::BuildingServices, "Kv-Wert")
        .variables({slot("kv", sym("kv"), "[m³/h]", 14), slot("V", flow("V"), "[m³/h]", 4),
                    slot("ρ", italic("ρ"), "[kg/m³]", 11), slot("p", deltaP(), "[mbar]", 15)})
        .solve(
            {block(0, [](V v) { return v[1] * std::sqrt((v[2] * dp0) / (v[3] * rho0)); }),
             block(1, [](V v) { return v[0] / std::sqrt((v[2] * dp0) / (v[3] * rho0)); }),
             block(2, [](V v) { return ((v[3] * (v[0] * v[0])) * rho0) / ((v[1] * v[1]) * dp0); }),
             block(3, [](V v) { return (v[2] * ((v[1] * v[1]) * dp0)) / ((v[0] * v[0]) * rho0); })})
        .draw(layout(DrawLayout::Kv))
        .servicesLegend(4, kvConstants(120, 150, 165));
    // kv = kv1 + kv2
    t.add(3, G::BuildingServices, "Kv-Wert parallel")
        .variables({slot("kv", sym("kv"), "[m³/h]", 14), slot("kv", sym("kv", "1"), "[m³/h]", 14),
                    slot("kv", sym("kv", "2"), "[m³/h]", 14)})
        .solve({block(0, [](V v) { return v[2] + v[1]; }),
                block(1, [](V v) { return v[0] - v[2]; }),
                block(2, [](V v) { return v[0] - v[1]; })})
        .draw({subscripted("kv", false, "ges"), text(" = "), var(1), text(" + "), var(2)},
              {var(0, "ges"), text(" = "), var(1), text(" + "), var(2)})
        .servicesLegend(1);
    // kv = kv1 · kv2 / √(kv1'² + kv2'²); kv1 and kv2 cannot be solved
    t.add(4, G::BuildingServices, "Kv-wert in Reihe")
        .variables(withMirrors({slot("kv", sym("kv"), "[m³/h]", 14),
                                notPossible(slot("kv", sym("kv", "1"), "[m³/h]", 14)),
                                notPossible(slot("kv", sym("kv", "2"), "[m³/h]", 14))},
                               {1, 2}))
        .disabled({3, 4})
        .solve(withoutFocusGate(
            {block(0, [](V v) { return (v[2] * v[1]) / std::sqrt(v[4] * v[4] + v[3] * v[3]); },
                   {1, 2, 3, 4}),
             notPossible(1, {0, 2}), notPossible(2, {0, 1})}))
        .draw(layout(DrawLayout::KvInSeries))
        .servicesLegend(1);
    // Δp = ((ρ · 1000) / 999,1) · (V̇ / kv)²
    t.add(5, G::BuildingServices, "Druckdifferenz aus Kv-Wert")
        .variables({slot("p", deltaP(), "[mbar]", 15), slot("V", flow("V"), "[m³/h]", 4),
                    slot("kv", sym("kv"), "[m³/h]", 14), slot("ρ", italic("ρ"), "[kg/m³]", 11)})
        .solve(
            {block(0, [](V v) { return ((v[3] * dp0) / rho0) * ((v[1] / v[2]) * (v[1] / v[2])); }),
             block(1, [](V v) { return v[2] * std::sqrt((v[0] * rho0) / (v[3] * dp0)); }),
             block(2, [](V v) { return v[1] / std::sqrt((v[0] * rho0) / (v[3] * dp0)); }),
             block(3, [](V v) { return ((v[0] * rho0) / dp0) / ((v[1] / v[2]) * (v[1] / v[2])); })})
        .draw(layout(DrawLayout::PressureFromKv))
        .servicesLegend(4, kvConstants(120, 135, 150));
    // Δp = Σζ · ρ · u² / 200
    t.add(6, G::BuildingServices, "Druckdifferenz aus Zeta")
        .variables({slot("p", deltaP(), "[mbar]", 15), slot(" ", sigmaZeta(), "", 19, 20),
                    slot("ρ", italic("ρ"), "[kg/m³]", 11), slot("u", sym("u"), "[m/s]", 21, 22)})
        .solve({block(0, [](V v) { return v[1] * ((v[2] * (v[3] * v[3])) / zetaDivisor); }),
                block(1, [](V v) { return (v[0] * zetaDivisor) / (v[2] * (v[3] * v[3])); }),
                block(2, [](V v) { return (v[0] * zetaDivisor) / (v[1] * (v[3] * v[3])); }),
                block(3, [](V v) { return std::sqrt((v[0] * zetaDivisor) / (v[2] * v[1])); })})
        .draw(layout(DrawLayout::PressureFromZeta))
        .legend({row(0, 15), row(1, 35), row(2, 65), row(3, 80, 20)});
    // Δp = H · 9,81 · 11,6
    constexpr int x = LegendColumn::Symbol;
    constexpr int cx = LegendColumn::Constant;
    t.add(7, G::BuildingServices, "thermischer Auftrieb")
        .variables({slot("p", deltaP(), "[mbar]", 15), slot("H", sym("H"), "[m]", 23, 24)})
        .solve({block(0, [](V v) { return (v[1] * gravity) * densityDifference; }),
                block(1, [](V v) { return v[0] / inverseBuoyancy; })})
        .draw({delta, text("p = "), text("H · g · ( "), subscripted("ρ", true, "r"), text(" - "),
               subscripted("ρ", true, "v"), text(" )")},
              {var(0), text(" = "), var(1), text(" · 9,81 · ( 983,2 - 971,6 )")})
        .legend({row(0, 15), row(1, 30), heading(70, 16), words(x, 90, "", 25, ":"),
                 words(x, 105, "g"), words(cx, 105, " = 9,81 m/s"), words(x, 120, "", 8, ":"),
                 rhoWithIndex(135, "r"), words(cx, 135, " = 983,2 kg"), words(x, 150, "", 6, ":"),
                 rhoWithIndex(165, "v"), words(cx, 165, " = 971,6 kg")});
    // f = (49,83 · ln((Tv − Ti) / (Tr − Ti)) / (Tv − Tr))ⁿ
    constexpr int ux = LegendColumn::Unit;
    t.add(8, G::BuildingServices, "Heizkörper-Vergrößerungsfaktor (nach EN442)")
        .variables(withMirrors({slot("f", sym("f"), "", 29, 30),
                                given(slot("T", sym("T", "v"), "[K]", 6, 7)),
                                given(slot("T", sym("T", "i"), "[K]", 26, 63)),
                                given(slot("T", sym("T", "r"), "[K]", 8, 7))},
                               {2, 1, 3}) +
                   std::vector<FormulaSlot>{given(slot("1,3", sym("n"), "", 27))})
        .disabled({4, 5, 6})
        .solve({block(0,
                      [](V v) {
                          const long double a = v[1] - v[2];
                          const long double b = v[3] - v[4];
                          const long double l = std::log(a / b);
                          const long double c = v[5] - v[6];
                          const long double base = (l / c) * normExcess;
                          return Power(base, v[7]);
                      })})
        .draw(layout(DrawLayout::RadiatorFactor))
        .legend({row(1, 15), row(3, 45), row(2, 75), heading(115, 16), words(x, 135, "", 27, ":"),
                 symbolAt(7, 150), words(ux, 150, " ~ 1,3 (", 28, ")"), symbolAt(0, 165),
                 words(ux, 165, " : ", 29), words(ux, 180, "   ", 30)});
}

} // namespace

namespace FormulaRecords {

Table Build()
{
    FormulaRecordParts::TableBuilder t;
    buildingServices(t);
    FormulaRecordParts::AddAreas(t);
    FormulaRecordParts::AddVolumes(t);
    return t.records;
}

} // namespace FormulaRecords
