// tsh_einheiten ("SI-Einheiten"): fourteen quantities, one grid each, picked with the radio
// buttons of gbo_einheiten. The page builds its controls when it is first shown, so that
// the program's start pays nothing for it; every rule lives in UnitPageModel.
#pragma once

#include "unit_page_model.h"

#include <QWidget>

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class UnitGridView;

class UnitPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int PanelWidth = 194;

    explicit UnitPage(KeyFilterServices services, QWidget* parent = nullptr);

    UnitPageModel& Grids() { return m_grids; }
    // Captions of the page's controls; retranslate() shows them.
    ControlTexts& Texts() { return m_controlTexts; }
    // The translated names; the page shows them at once if it is built.
    void SetTexts(const UnitTexts& texts);
    void retranslate();

    void rbo_einheiten00Click(int radio);
    void WindForceChosen(int index);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    QWidget* buildPanel(const Quantity& quantity);
    void showGrid(int grid);
    void showWindCombo();
    UnitGridView* gridView(int grid) const { return m_gridViews[size_t(grid - 1)]; }

    UnitPageModel m_grids;
    ControlTexts m_controlTexts = UnitControlTexts();
    bool m_built = false;
    QGroupBox* m_group = nullptr;
    std::array<QRadioButton*, QuantityCount> m_radios{};
    std::array<QWidget*, QuantityCount> m_panels{};
    std::array<UnitGridView*, QuantityCount> m_gridViews{};
    QComboBox* m_windCombo = nullptr;
    QLabel* m_weightHint = nullptr;
};
