#include "unit_page_model.h"

#include "calculator/key_chars.h"
#include "calculator/number_text.h"
#include "number_systems.h"
#include "unit_conversion.h"
#include "wind_force.h"

#include <algorithm>

namespace {

constexpr int TemperatureGrid = 4;
constexpr int NumberSystemsGrid = 12;
constexpr int VolumeFlowGrid = 13;
constexpr int WindGrid = 14;

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The text the cell holds once its selection is gone: what a typed key lands in.
QString withoutSelection(const FieldState& cell)
{
    if (cell.selectionLength <= 0)
        return cell.text;
    return QString(cell.text).remove(cell.selectionStart, cell.selectionLength);
}

// Where a typed key lands.
int insertionPoint(const FieldState& cell)
{
    return cell.selectionLength > 0 ? cell.selectionStart : cell.cursor;
}

void replaceSelection(FieldState& cell, const QString& inserted)
{
    int at = std::clamp(cell.cursor, 0, int(cell.text.size()));
    if (cell.selectionLength > 0) {
        at = std::clamp(cell.selectionStart, 0, int(cell.text.size()));
        cell.text.remove(at, cell.selectionLength);
    }
    cell.text.insert(at, inserted);
    cell.cursor = at + int(inserted.size());
    cell.selectionStart = cell.cursor;
    cell.selectionLength = 0;
}

// A key that passed the checks, as the cell editor applies it.
void applyKey(FieldState& cell, char16_t key)
{
    if (key == KeyChar::Backspace) {
        if (cell.selectionLength > 0) {
            replaceSelection(cell, QString());
        } else if (cell.cursor > 0 && cell.cursor <= cell.text.size()) {
            cell.text.remove(cell.cursor - 1, 1);
            cell.cursor -= 1;
            cell.selectionStart = cell.cursor;
        }
    } else if (key >= u' ') {
        replaceSelection(cell, QString(QChar(key)));
    }
}

} // namespace

UnitPageModel::UnitPageModel(KeyFilterServices services) : m_services(services)
{
    for (const Quantity& q : Quantities())
        for (size_t row = 0; row < q.units.size(); ++row)
            m_values[q.grid - 1].append(QString());
}

void UnitPageModel::SetTexts(const UnitTexts& texts)
{
    m_texts = texts;
    // The description on show follows the language at once; the speeds stay as they are.
    QStringList& wind = valuesOf(WindGrid);
    const double beaufort = ReadCellValue(wind[WindRow::Beaufort]);
    if (!wind[WindRow::Description].isEmpty())
        wind[WindRow::Description] = WindDescription(
            beaufort >= 1 && beaufort <= MaxBeaufort ? int(beaufort) : 0, m_texts.windDescriptions);
}

void UnitPageModel::ShowQuantity(int radio)
{
    const Quantity* q = QuantityOfRadio(radio);
    if (!q)
        return;
    m_shownRadio = radio;
    m_windComboVisible = q->grid == WindGrid;
}

const Quantity& UnitPageModel::ShownQuantity() const
{
    return *QuantityOfRadio(m_shownRadio);
}

QStringList UnitPageModel::UnitNames(int grid) const
{
    const Quantity* q = QuantityOfGrid(grid);
    if (!q)
        return {};
    QStringList names = NamesOf(q->units);
    const QStringList* translated = nullptr;
    if (grid == NumberSystemsGrid)
        translated = &m_texts.numberSystems;
    else if (grid == VolumeFlowGrid)
        translated = &m_texts.volumeFlowUnits;
    else if (grid == WindGrid)
        translated = &m_texts.windRows;
    for (int row = 0; row < names.size(); ++row) {
        if (translated && !translated->value(row).isEmpty())
            names[row] = (*translated)[row];
        if (q->units[size_t(row)].marked)
            names[row] += QStringLiteral(" *");
    }
    return names;
}

const QStringList& UnitPageModel::Values(int grid) const
{
    static const QStringList none;
    return QuantityOfGrid(grid) ? m_values[grid - 1] : none;
}

bool UnitPageModel::SelectCell(int grid, int row, int column)
{
    if (column != ValueColumn || !QuantityOfGrid(grid))
        return false;
    m_windComboVisible = grid == WindGrid && row == WindRow::Description;
    return true;
}

bool UnitPageModel::IsEditable(int grid, int row) const
{
    const Quantity* q = QuantityOfGrid(grid);
    if (!q || row < 0 || row >= int(q->units.size()))
        return false;
    return !(grid == WindGrid && row == WindRow::Description);
}

void UnitPageModel::KeyPress(int grid, int row, FieldState& cell, char16_t key)
{
    if (!QuantityOfGrid(grid) || row < 0 || row >= valuesOf(grid).size())
        return;
    if (key == KeyChar::CtrlC) {
        m_services.clipboard.SetText(cell.text);
        return;
    }
    // The wind description is chosen in the combo box: not even a paste may change it.
    if (!IsEditable(grid, row))
        return drop();
    QStringList& values = valuesOf(grid);
    values[row] = cell.text;

    if (grid == TemperatureGrid && temperatureSign(row, cell, key))
        return;
    if (key == u'(' || key == u')' || IsOperatorChar(key))
        return drop();
    if (grid == NumberSystemsGrid && (key == u',' || key == u'.'))
        return drop();
    if (key == KeyChar::CtrlV) {
        const QString pasted = m_services.clipboard.Text();
        if (!ParseNumber(ToComma(pasted)))
            return drop();
        replaceSelection(cell, pasted);
        values[row] = cell.text;
        ConvertUnitRow(grid, row);
        return;
    }
    if (key >= u'a' && key <= u'f')
        key = char16_t(key - u'a' + u'A');

    if (grid == NumberSystemsGrid) {
        if ((row == 1 && key >= u'2' && key <= u'9') || (row == 3 && (key == u'8' || key == u'9')))
            return drop();
        // Hexadecimal letters need no filter: they are digits of this row and of no other.
        if (row == 2 && key >= u'A' && key <= u'F') {
            applyKey(cell, key);
            values[row] = cell.text;
            ConvertUnitRow(grid, row);
            return;
        }
    } else if (grid == WindGrid) {
        if (row == WindRow::Beaufort) {
            QString typed = withoutSelection(cell);
            CheckNumericKey(NumericMode::Integer, 2, typed, key, m_services);
            // Only 0 … 15 can be typed: after a 1 the digits up to 5, after 2 … 9 none.
            const bool tooHigh =
                isDigit(key) && ((typed == u"1" && key >= u'6') || typed.toInt() >= 2);
            if (tooHigh) {
                key = KeyChar::None;
                drop();
            }
            if (key != KeyChar::None)
                applyKey(cell, key);
            values[row] = cell.text;
            ConvertUnitRow(grid, row);
            return;
        }
        // A speed typed after a Beaufort number starts from empty speed cells: the range
        // texts are no values.
        for (int k = WindRow::MetresPerSecond; k <= WindRow::Knots; ++k) {
            if (!values[k].contains(u'-'))
                continue;
            values[k].clear();
            if (k == row)
                cell = FieldState{};
        }
    }
    typeInto(grid, row, cell, key);
}

// Temperatures below zero are everyday values (a design outdoor temperature of -12 °C): their
// grid takes one "-", at the front of the cell and nowhere else. True when the key is settled.
bool UnitPageModel::temperatureSign(int row, FieldState& cell, char16_t key)
{
    const bool atFront = insertionPoint(cell) == 0;
    const QString kept = withoutSelection(cell);
    if (key >= u' ' && atFront && kept.startsWith(u'-')) {
        drop();
        return true;
    }
    if (key != u'-')
        return false;
    if (!atFront || kept.size() >= LengthLimit) {
        drop();
        return true;
    }
    applyKey(cell, key);
    valuesOf(TemperatureGrid)[row] = cell.text;
    ConvertUnitRow(TemperatureGrid, row);
    return true;
}

void UnitPageModel::typeInto(int grid, int row, FieldState& cell, char16_t key)
{
    QString typed = withoutSelection(cell);
    CheckNumericKey(NumericMode::Decimal, LengthLimit, typed, key, m_services);
    if (key != KeyChar::None)
        applyKey(cell, key);
    valuesOf(grid)[row] = cell.text;
    ConvertUnitRow(grid, row);
}

void UnitPageModel::SetEditText(int grid, int row, const QString& text)
{
    if (!IsEditable(grid, row))
        return;
    valuesOf(grid)[row] = text;
    ConvertUnitRow(grid, row);
}

void UnitPageModel::ConvertUnitRow(int grid, int sourceRow)
{
    const Quantity* q = QuantityOfGrid(grid);
    if (!q || sourceRow < 0 || sourceRow >= int(q->units.size()))
        return;
    QStringList& values = valuesOf(grid);
    switch (q->kind) {
    case ConversionKind::Factor:
        ConvertByFactors(q->units, q->decimals, sourceRow, values);
        break;
    case ConversionKind::Temperature:
        ConvertTemperature(sourceRow, values);
        break;
    case ConversionKind::NumberSystems:
        ConvertNumberSystems(sourceRow, values);
        break;
    case ConversionKind::Wind:
        m_windCombo = ConvertWind(sourceRow, values, m_texts.windDescriptions, m_windCombo);
        break;
    }
}

QStringList UnitPageModel::WindComboItems() const
{
    QStringList items;
    for (int beaufort = 1; beaufort <= WindComboItemCount; ++beaufort)
        items.append(WindDescription(beaufort, m_texts.windDescriptions));
    return items;
}

void UnitPageModel::WindForceChosen(int index)
{
    if (index < 0 || index >= WindComboItemCount)
        return;
    valuesOf(WindGrid)[WindRow::Beaufort] = QString::number(index + 1);
    ConvertUnitRow(WindGrid, WindRow::Beaufort);
}

ControlTexts UnitControlTexts()
{
    using T = TextProperty;
    QList<ControlTexts::Entry> entries{
        {QStringLiteral("gbo_einheiten"), T::Caption, QStringLiteral("Einheiten")},
        {QStringLiteral("lbl_gewichtshinweis"), T::Caption, QStringLiteral("* Wasser bei 60°C")},
    };
    for (int radio = 0; radio < QuantityCount; ++radio) {
        const Quantity& quantity = *QuantityOfRadio(radio);
        entries.append({QStringLiteral("rbo_einheiten%1").arg(radio, 2, 10, QChar(u'0')),
                        T::Caption, quantity.caption.toString()});
        entries.append({QStringLiteral("lbl_") + quantity.panelName.mid(4).toString(), T::Caption,
                        quantity.caption.toString()});
    }
    return ControlTexts(std::move(entries));
}
