#include "formula_catalogue.h"

#include <algorithm>
#include <array>

namespace {

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

FormulaSymbol sym(const char* base, const char* index = "")
{
    return FormulaSymbol{u8(base), u8(index)};
}
FormulaSymbol flow(const char* base)
{
    FormulaSymbol s = sym(base);
    s.overdot = true;
    return s;
}
FormulaSymbol rho(const char* index = "")
{
    FormulaSymbol s = sym("ρ", index);
    s.italic = true;
    return s;
}
FormulaSymbol deltaP()
{
    FormulaSymbol s = sym("p");
    s.delta = true;
    return s;
}
FormulaSymbol sigmaZeta()
{
    FormulaSymbol s;
    s.sigmaZeta = true;
    return s;
}

FormulaSlot slot(const char* placeholder, FormulaSymbol symbol, const char* unit, int caption,
                 int caption2 = -1, const char* suffix = "")
{
    FormulaSlot s;
    s.placeholder = u8(placeholder);
    s.symbol = std::move(symbol);
    s.unit = u8(unit);
    s.caption = caption;
    s.caption2 = caption2;
    s.captionSuffix = u8(suffix);
    return s;
}

// A plain area or volume variable, written with its placeholder letter.
FormulaSlot geo(const char* letter, int caption, const char* suffix = "")
{
    return slot(letter, sym(letter), "", caption, -1, suffix);
}

FormulaSlot geoIndexed(const char* letter, const char* index, int caption)
{
    return slot(letter, sym(letter, index), "", caption);
}

FormulaSlot mirror(const std::vector<FormulaSlot>& list, int source)
{
    FormulaSlot s = list[size_t(source)];
    s.mirrorOf = source;
    s.solve = SlotSolve::Given;
    return s;
}

FormulaSlot given(FormulaSlot s)
{
    s.solve = SlotSolve::Given;
    return s;
}

FormulaSlot notPossible(FormulaSlot s)
{
    s.solve = SlotSolve::NotPossible;
    return s;
}

FormulaInfo make(int number, FormulaGroup group, const char* item,
                 std::vector<FormulaSlot> variables, std::vector<int> disabled = {},
                 std::vector<int> readOnly = {}, QStringList constants = {})
{
    FormulaInfo f;
    f.number = number;
    f.group = group;
    f.item = u8(item);
    f.variables = std::move(variables);
    f.disabledFields = std::move(disabled);
    f.readOnlyFields = std::move(readOnly);
    f.legendConstants = std::move(constants);
    return f;
}

std::array<FormulaInfo, FormulaCatalogue::FormulaCount> buildCatalogue()
{
    using G = FormulaGroup;
    std::array<FormulaInfo, FormulaCatalogue::FormulaCount> c;
    const QStringList kvConstants{u8("Δp₀ = 1000 mbar"), u8("ρ₀ = 999,1 kg/m³")};

    c[0] = make(0, G::BuildingServices, "Volumenstrom",
                {slot("V", flow("V"), "[m³/h]", 4), slot("Q", flow("Q"), "[W]", 5),
                 slot("T", sym("T", "v"), "[K]", 6, 7), slot("T", sym("T", "r"), "[K]", 8, 7),
                 slot("cp", sym("cp"), "[Wh/kg/K]", 9, 10), slot("ρ", rho(), "[kg/m³]", 11)});
    c[1] = make(1, G::BuildingServices, "Massenstrom",
                {slot("m", flow("m"), "[kg/h]", 12), slot("Q", flow("Q"), "[W]", 13),
                 slot("T", sym("T", "v"), "[K]", 6, 7), slot("T", sym("T", "r"), "[K]", 8, 7),
                 slot("cp", sym("cp"), "[Wh/kg/K]", 9, 10)});
    c[2] = make(2, G::BuildingServices, "Kv-Wert",
                {slot("kv", sym("kv"), "[m³/h]", 14), slot("V", flow("V"), "[m³/h]", 4),
                 slot("ρ", rho(), "[kg/m³]", 11), slot("p", deltaP(), "[mbar]", 15)},
                {}, {}, kvConstants);
    c[3] = make(3, G::BuildingServices, "Kv-Wert parallel",
                {slot("kv", sym("kv"), "[m³/h]", 14), slot("kv", sym("kv", "1"), "[m³/h]", 14),
                 slot("kv", sym("kv", "2"), "[m³/h]", 14)});
    {
        std::vector<FormulaSlot> s{slot("kv", sym("kv"), "[m³/h]", 14),
                                   notPossible(slot("kv", sym("kv", "1"), "[m³/h]", 14)),
                                   notPossible(slot("kv", sym("kv", "2"), "[m³/h]", 14))};
        s.push_back(mirror(s, 1));
        s.push_back(mirror(s, 2));
        c[4] = make(4, G::BuildingServices, "Kv-wert in Reihe", s, {3, 4});
    }
    c[5] = make(5, G::BuildingServices, "Druckdifferenz aus Kv-Wert",
                {slot("p", deltaP(), "[mbar]", 15), slot("V", flow("V"), "[m³/h]", 4),
                 slot("kv", sym("kv"), "[m³/h]", 14), slot("ρ", rho(), "[kg/m³]", 11)},
                {}, {}, kvConstants);
    c[6] = make(6, G::BuildingServices, "Druckdifferenz aus Zeta",
                {slot("p", deltaP(), "[mbar]", 15), slot(" ", sigmaZeta(), "", 19, 20),
                 slot("ρ", rho(), "[kg/m³]", 11), slot("u", sym("u"), "[m/s]", 21, 22)});
    c[7] = make(7, G::BuildingServices, "thermischer Auftrieb",
                {slot("p", deltaP(), "[mbar]", 15), slot("H", sym("H"), "[m]", 23, 24)}, {}, {},
                {u8("g = 9,81 m/s"), u8("ρᵣ = 983,2 kg"), u8("ρᵥ = 971,6 kg")});
    {
        std::vector<FormulaSlot> s{slot("f", sym("f"), "", 29, 30),
                                   given(slot("T", sym("T", "v"), "[K]", 6, 7)),
                                   given(slot("T", sym("T", "i"), "[K]", 26, 63)),
                                   given(slot("T", sym("T", "r"), "[K]", 8, 7))};
        s.push_back(mirror(s, 2));
        s.push_back(mirror(s, 1));
        s.push_back(mirror(s, 3));
        s.push_back(given(slot("1,3", sym("n"), "", 27)));
        c[8] = make(8, G::BuildingServices, "Heizkörper-Vergrößerungsfaktor (nach EN442)", s,
                    {4, 5, 6}, {}, {u8("n ~ 1,3 (für Platten-HK)")});
    }

    c[9] = make(9, G::Areas, "Quadrat", {geo("A", 31), geo("a", 32)});
    c[10] = make(10, G::Areas, "Rechteck", {geo("A", 31), geo("a", 32, " 1"), geo("b", 32, " 2")});
    c[11] = make(11, G::Areas, "Parallelogramm", {geo("A", 31), geo("a", 32), geo("h", 64)});
    c[12] = make(12, G::Areas, "Dreieck",
                 {geo("A", 31), slot("g", sym("g"), "", 32, 33), geo("h", 64)});
    c[13] = make(13, G::Areas, "Trapez",
                 {geo("A", 31), geo("a", 32, " 1"), geo("b", 32, " 2"), geo("h", 64)});
    c[14] = make(14, G::Areas, "Kreis", {geo("A", 31), geo("r", 34)});
    c[15] =
        make(15, G::Areas, "Kreisring (gesamte Fläche)", {geoIndexed("A", "D", 31), geo("D", 35)});
    c[16] =
        make(16, G::Areas, "Kreisring (innere Fläche)", {geoIndexed("A", "d", 31), geo("d", 36)});
    c[17] = make(17, G::Areas, "Kreisring (äußere Fläche)",
                 {geo("A", 31), geoIndexed("A", "D", 37), geoIndexed("A", "d", 38)});
    c[18] = make(18, G::Areas, "Kreisausschnitt", {geo("A", 31), geo("b", 39), geo("d", 40)});
    {
        std::vector<FormulaSlot> s{geo("A", 31), geo("b", 39), geo("d", 40), geo("s", 41)};
        s.push_back(mirror(s, 2));
        s.push_back(geo("h", 42));
        c[19] = make(19, G::Areas, "Kreisabschnitt", s, {4});
    }
    c[35] = make(35, G::Areas, "Kreisumfang", {geo("U", 43), geo("r", 34)});
    c[20] = make(20, G::Areas, "Ellipse", {geo("A", 31), geo("D", 40, " 1"), geo("d", 40, " 2")});
    {
        FormulaSymbol e = sym("e");
        e.italic = true;
        c[21] = make(21, G::Areas, "Sechskant (Eckenmass)",
                     {given(geo("SW", 44)), slot("e", e, "", 45)}, {}, {1});
        c[22] = make(22, G::Areas, "Sechskant (Schluesselweite)",
                     {given(slot("e", e, "", 45)), geo("SW", 44)}, {}, {1});
    }

    c[23] = make(23, G::Volumes, "Würfel", {geo("V", 46), geo("a", 32)});
    c[24] = make(24, G::Volumes, "Prisma",
                 {geo("V", 46), geo("a", 32, " 1"), geo("b", 32, " 2"), geo("h", 64)});
    c[25] = make(25, G::Volumes, "Zylinder", {geo("V", 46), geo("d", 40), geo("h", 64)});
    c[26] = make(26, G::Volumes, "Hohlzylinder",
                 {geo("V", 46), geo("h", 64), geo("D", 35), geo("d", 36)});
    c[27] = make(27, G::Volumes, "Pyramide",
                 {geo("V", 46), geo("a", 32, " 1"), geo("b", 32, " 2"), geo("h", 64)});
    c[28] = make(28, G::Volumes, "Kegel", {geo("V", 46), geo("d", 40), geo("h", 64)});
    {
        std::vector<FormulaSlot> s{geo("V", 46), geo("h", 64),
                                   notPossible(geoIndexed("A", "1", 47)),
                                   notPossible(geoIndexed("A", "2", 48))};
        s.push_back(mirror(s, 2));
        s.push_back(mirror(s, 3));
        c[29] = make(29, G::Volumes, "Pyramidenstumpf", s, {4, 5});
    }
    {
        std::vector<FormulaSlot> s{geo("V", 46), geo("h", 64), notPossible(geo("D", 49)),
                                   notPossible(geo("d", 50))};
        s.push_back(mirror(s, 2));
        s.push_back(mirror(s, 3));
        c[30] = make(30, G::Volumes, "Kegelstumpf", s, {4, 5});
    }
    c[31] = make(31, G::Volumes, "Kugel", {geo("V", 46), geo("d", 40)});
    {
        std::vector<FormulaSlot> s{geo("V", 46), notPossible(geo("h", 64)), geo("d", 51)};
        s.push_back(mirror(s, 1));
        c[32] = make(32, G::Volumes, "Kugelabschnitt", s, {3});
    }
    c[33] = make(33, G::Volumes, "Kugelausschnitt", {geo("V", 46), geo("d", 51), geo("h", 64)});
    c[34] = make(34, G::Volumes, "Fass", {geo("V", 46), geo("h", 64), geo("D", 52), geo("d", 53)});
    return c;
}

// Areas in list order: items 0 … 10 are 9 … 19, then the circumference, then 20 … 22.
constexpr int kAreaOrder[] = {9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 35, 20, 21, 22};

const FormulaCatalogue::GroupInfo kGroups[] = {
    {"tsh_haustechnik", "Haustechnik", "cbo_formel", "lbl_Formelart",
     "Wählen Sie die zu berechnende Größe:", "edt_fix", "udo_fix", "lbl_fix"},
    {"tsh_flaeche", "Flächen", "cbo_flaeche", "lbl_flaechenart",
     "Wählen Sie eine Fläche:", "edt_fix1", "udo_fix1", "lbl_fix1"},
    {"tsh_volumen", "Volumen", "cbo_volumen", "lbl_volumenart",
     "Wählen Sie einen Körper:", "edt_fix2", "udo_fix2", "lbl_fix2"},
};

int groupSize(FormulaGroup group)
{
    switch (group) {
    case FormulaGroup::BuildingServices:
        return 9;
    case FormulaGroup::Areas:
        return 15;
    case FormulaGroup::Volumes:
        return 12;
    }
    return 0;
}

} // namespace

namespace FormulaCatalogue {

const FormulaInfo& Formula(int number)
{
    static const auto catalogue = buildCatalogue();
    return catalogue[size_t(std::clamp(number, 0, FormulaCount - 1))];
}

int FormulaNumberOf(FormulaGroup group, int index)
{
    if (index < 0 || index >= groupSize(group))
        return -1;
    switch (group) {
    case FormulaGroup::BuildingServices:
        return index;
    case FormulaGroup::Areas:
        return kAreaOrder[index];
    case FormulaGroup::Volumes:
        return 23 + index;
    }
    return -1;
}

int ListIndexOf(int number)
{
    const FormulaGroup group = Formula(number).group;
    for (int i = 0; i < groupSize(group); ++i)
        if (FormulaNumberOf(group, i) == number)
            return i;
    return -1;
}

QStringList GroupItems(FormulaGroup group)
{
    QStringList items;
    for (int i = 0; i < groupSize(group); ++i)
        items.append(Formula(FormulaNumberOf(group, i)).item);
    return items;
}

const GroupInfo& Group(FormulaGroup group)
{
    return kGroups[int(group)];
}

} // namespace FormulaCatalogue
