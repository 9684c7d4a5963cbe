#include "pipes/engine/pressure_units.h"

#include "common/number_text.h"
#include "common/unit_tables.h"

namespace {

constexpr int kDecimals[PressureUnitCount] = {2, 1, 0, 3, 0, 4, 0, 5, 5, 5, 5, 2, 4, 4};

const UnitEntry* entry(int unit)
{
    const UnitTable units = PressureUnits();
    return unit >= 1 && unit <= int(units.size()) ? &units[size_t(unit - 1)] : nullptr;
}

} // namespace

QString PressureUnitName(int unit)
{
    const UnitEntry* e = entry(unit);
    return e ? e->name.toString() : QStringLiteral("?");
}

QString FormatPressure(double mbar, int unit)
{
    if (mbar == 0)
        return QString();
    const UnitEntry* e = entry(unit);
    const int decimals = e ? kDecimals[unit] : kDecimals[0];
    return ToPoint(FixedText(mbar * (e ? e->factor : 1.0), decimals));
}
