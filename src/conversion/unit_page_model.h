// The unit page's engine: the value column of all fourteen grids, the quantity on show,
// the wind-name combo box, and what a key typed into a value cell does. The page only
// forwards its events here and copies the texts back into its grids, so every rule can
// be exercised without a window.
//
// Typing keeps one rule: after every key the grid shows the conversion of the text now in
// the cell. A key typed over a selection is checked against the text it produces, as the
// cell editor replaces the selection with it.
#pragma once

#include "calculator/key_filter.h"
#include "unit_tables.h"
#include "unit_texts.h"

#include <QStringList>

#include <array>

class UnitPageModel {
public:
    static constexpr int ValueColumn = 0;
    static constexpr int LengthLimit = 18;

    explicit UnitPageModel(KeyFilterServices services);

    void SetTexts(const UnitTexts& texts);
    const UnitTexts& Texts() const { return m_texts; }

    // rbo_einheiten00Click: radio button 0 … 13 picks the quantity whose panel shows.
    void ShowQuantity(int radio);
    const Quantity& ShownQuantity() const;

    // Column 1 of a grid: the unit names, translated where the translation has them, the
    // mass-flow rows of the volume-flow grid marked with " *".
    QStringList UnitNames(int grid) const;
    // Column 0 of a grid, one text per unit.
    const QStringList& Values(int grid) const;

    // sgr_01_druckSelectCell: only value cells can be selected. A selection also decides
    // whether the wind-name combo box shows: only on the description cell.
    bool SelectCell(int grid, int row, int column);
    bool WindComboVisible() const { return m_windComboVisible; }
    // The description of the wind grid is chosen in the combo box, never typed.
    bool IsEditable(int grid, int row) const;

    // sgr_01_druckKeyPress: a key typed into value cell `row` while it is edited as
    // `cell`; changes the cell (or drops the key) and converts the other rows.
    void KeyPress(int grid, int row, FieldState& cell, char16_t key);
    // sgr_01_druckSetEditText: the cell's text changed in another way (Delete, say).
    void SetEditText(int grid, int row, const QString& text);
    // Recomputes every row of the grid except `sourceRow` from that row's text.
    void ConvertUnitRow(int grid, int sourceRow);

    // The combo box offers the descriptions of Beaufort 1 … 12.
    QStringList WindComboItems() const;
    int WindComboIndex() const { return m_windCombo; } // -1: nothing chosen
    // WindForceChosen: the chosen description's Beaufort number is entered.
    void WindForceChosen(int index);

private:
    QStringList& valuesOf(int grid) { return m_values[grid - 1]; }
    void typeInto(int grid, int row, FieldState& cell, char16_t key);
    bool temperatureSign(int row, FieldState& cell, char16_t key);
    void drop() { m_services.feedback.ErrorSignal(2); }

    KeyFilterServices m_services;
    UnitTexts m_texts;
    std::array<QStringList, QuantityCount> m_values;
    int m_shownRadio = 0;
    bool m_windComboVisible = false;
    int m_windCombo = -1;
};
