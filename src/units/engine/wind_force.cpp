#include "units/engine/wind_force.h"

#include "common/unit_tables.h"
#include "units/engine/unit_conversion.h"

#include <cmath>

namespace {

struct Band {
    int fromKmh; // the first truncated km/h value of the band
    const char16_t* description;
    const char16_t* ranges[4]; // m/s, km/h, mp/h, Knoten
};

constexpr Band bands[MaxBeaufort + 1] = {
    {0, u"", {u"<0.5", u"<1.9", u"<1.1", u"0"}},
    {1, u"leichter Zug", {u"0.5-1.8", u"1.9-6.4", u"1.1-3.9", u"1-3"}},
    {6, u"leichter Wind", {u"1.9-3.3", u"6.5-12", u"4.0-7.5", u"4-6"}},
    {12, u"schwacher Wind", {u"3.4-5.4", u"12.1-19.4", u"7.6-12", u"7-10"}},
    {20, u"mäßiger Wind", {u"5.5-7.9", u"19.5-28.7", u"12.1-17.8", u"11-15"}},
    {29, u"frischer Wind", {u"8-11", u"28.8-39.8", u"17.9-24.7", u"16-21"}},
    {39, u"starker Wind", {u"11.1-14.1", u"39.9-50.9", u"24.8-31.6", u"22-27"}},
    {50, u"steifer Wind", {u"14.2-17.2", u"51-62", u"31.7-38.5", u"28-33"}},
    {62, u"stürmischer Wind", {u"17.3-20.8", u"62.1-75", u"38.6-46.6", u"34-40"}},
    {75, u"Sturm", {u"20.9-24.4", u"75.1-87.9", u"46.7-54.6", u"41-47"}},
    {89, u"schwerer Sturm", {u"24.5-28.5", u"88-102.8", u"54.7-63.9", u"48-55"}},
    {103, u"orkanartiger Sturm", {u"28.6-32.6", u"102.9-117.6", u"64-73", u"56-63"}},
    {118, u"Orkan", {u"32.6-36.9", u"117.7-133", u"73.1-82.6", u"64-72"}},
    {134, u"Orkan", {u"37.0-41.3", u"133.1-149", u"82.7-92.6", u"73-81"}},
    {150, u"Orkan", {u"41.5-46.1", u"149.1-166", u"92.7-103.1", u"82-90"}},
    {167, u"Orkan", {u"46.2-50.9", u"166.1-183", u"103.2-113.7", u"91-99"}},
};

// The combo box can only show the first twelve descriptions.
int comboIndexOf(int beaufort)
{
    return beaufort >= 1 && beaufort <= WindComboItemCount ? beaufort - 1 : -1;
}

// The range text of Beaufort 0 … 15 for speed row 0 … 3 ("32.6-36.9" for 12 in m/s).
QString rangeText(int beaufort, int speedRow)
{
    if (beaufort < 0 || beaufort > MaxBeaufort || speedRow < 0 || speedRow > WindRow::Knots)
        return QString();
    return QString::fromUtf16(bands[beaufort].ranges[speedRow]);
}

double factorOf(int row)
{
    return QuantityOfGrid(14)->units[row].factor;
}

} // namespace

QStringList WindDescriptionDefaults()
{
    QStringList texts;
    for (int b = 1; b <= MaxBeaufort; ++b)
        texts.append(QString::fromUtf16(bands[b].description));
    return texts;
}

QString WindDescription(int beaufort, const QStringList& descriptions)
{
    if (beaufort < 1 || beaufort > MaxBeaufort)
        return QString();
    const QString translated = descriptions.value(beaufort - 1);
    return translated.isEmpty() ? QString::fromUtf16(bands[beaufort].description) : translated;
}

int BeaufortOfSpeed(double kmh)
{
    if (!(kmh >= 1))
        return 0;
    const double truncated = std::trunc(kmh);
    for (int b = MaxBeaufort; b > 0; --b)
        if (truncated >= bands[b].fromKmh)
            return b;
    return 0;
}

int ConvertWind(int sourceRow, QStringList& cells, const QStringList& descriptions,
                int currentCombo)
{
    if (sourceRow < 0 || sourceRow >= WindRow::Description)
        return currentCombo;
    while (cells.size() < WindRow::Count)
        cells.append(QString());
    const double base = ReadCellValue(cells[sourceRow]) / factorOf(sourceRow);

    if (sourceRow == WindRow::Beaufort) {
        // Pasted texts can hold anything; only 1 … 15 has ranges and a description.
        const int b = std::isfinite(base) && std::fabs(base) < 100 ? int(base) : -1;
        const bool known = b >= 1 && b <= MaxBeaufort;
        for (int row = 0; row <= WindRow::Knots; ++row)
            cells[row] = known ? rangeText(b, row) : QString();
        cells[WindRow::Description] = WindDescription(b, descriptions);
        return known ? comboIndexOf(b) : -1;
    }

    QString speeds[4];
    for (int row = 0; row <= WindRow::Knots; ++row) {
        const double v = base * factorOf(row);
        if (!std::isfinite(v)) {
            for (int k = 0; k < WindRow::Count; ++k)
                if (k != sourceRow)
                    cells[k].clear();
            return -1;
        }
        speeds[row] = CellText(v, 4);
    }
    for (int row = 0; row <= WindRow::Knots; ++row)
        if (row != sourceRow)
            cells[row] = speeds[row];
    const int b = BeaufortOfSpeed(base);
    cells[WindRow::Beaufort] = b > 0 ? QString::number(b) : QString();
    cells[WindRow::Description] = WindDescription(b, descriptions);
    return comboIndexOf(b);
}
