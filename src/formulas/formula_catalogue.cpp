#include "formula_catalogue.h"

#include "formula_records.h"

#include <algorithm>
#include <array>

namespace {

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
    static const auto catalogue = FormulaRecords::Build();
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
