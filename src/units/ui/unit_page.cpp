#include "units/ui/unit_page.h"

#include "units/engine/wind_force.h"
#include "units/ui/unit_grid_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

constexpr int PageWidth = 372; // the main window's client width
constexpr int Margin = 8;
constexpr int CaptionHeight = 18;
constexpr int GridTop = 22;
constexpr int RadioSpacing = 21;
constexpr int VolumeGrid = 10;
constexpr int VolumeFlowGrid = 13;
constexpr int WindGrid = 14;

} // namespace

UnitPage::UnitPage(KeyFilterServices services, QWidget* parent) : QWidget(parent), m_grids(services)
{
    setObjectName(QStringLiteral("tsh_einheiten"));
}

void UnitPage::showEvent(QShowEvent* event)
{
    if (!m_built)
        build();
    QWidget::showEvent(event);
}

void UnitPage::build()
{
    m_built = true;
    const int groupLeft = Margin + PanelWidth + Margin;
    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("gbo_einheiten"));
    m_group->setGeometry(groupLeft, Margin, PageWidth - groupLeft - Margin,
                         QuantityCount * RadioSpacing + 30);
    for (int radio = 0; radio < QuantityCount; ++radio) {
        auto* button = new QRadioButton(m_group);
        button->setObjectName(QStringLiteral("rbo_einheiten%1").arg(radio, 2, 10, QChar(u'0')));
        button->setGeometry(10, 22 + radio * RadioSpacing, m_group->width() - 16, RadioSpacing);
        connect(button, &QRadioButton::toggled, this, [this, radio](bool checked) {
            if (checked)
                rbo_einheiten00Click(radio);
        });
        m_radios[size_t(radio)] = button;
    }
    for (const Quantity& quantity : Quantities())
        m_panels[size_t(quantity.grid - 1)] = buildPanel(quantity);
    // Built while the page is being shown: the children are not shown with it.
    m_group->show();
    m_radios[0]->setChecked(true);
    retranslate();
}

QWidget* UnitPage::buildPanel(const Quantity& quantity)
{
    const int grid = quantity.grid;
    auto* panel = new QWidget(this);
    panel->setObjectName(quantity.panelName.toString());
    panel->setGeometry(Margin, Margin, PanelWidth, 440);
    panel->hide();

    auto* caption = new QLabel(panel);
    caption->setObjectName(QStringLiteral("lbl_") + quantity.panelName.mid(4).toString());
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    caption->setGeometry(0, 0, PanelWidth, CaptionHeight);

    const bool volume = grid == VolumeGrid;
    auto* view =
        new UnitGridView(int(quantity.units.size()), volume ? 90 : 110, volume ? 100 : 80, panel);
    view->setObjectName(quantity.gridName.toString());
    view->move(0, GridTop);
    for (int row = 0; row < view->rowCount(); ++row)
        view->SetEditable(row, m_grids.IsEditable(grid, row));
    view->OnKeyPress = [this, grid](int row, FieldState& cell, char16_t key) {
        m_grids.KeyPress(grid, row, cell, key);
        showGrid(grid);
    };
    view->OnSetEditText = [this, grid](int row, const QString& text) {
        m_grids.SetEditText(grid, row, text);
        showGrid(grid);
    };
    view->OnSelectCell = [this, grid](int row, int column) {
        const bool allowed = m_grids.SelectCell(grid, row, column);
        showWindCombo();
        return allowed;
    };
    m_gridViews[size_t(grid - 1)] = view;

    if (grid == VolumeFlowGrid) {
        m_weightHint = new QLabel(panel);
        m_weightHint->setObjectName(QStringLiteral("lbl_gewichtshinweis"));
        m_weightHint->setGeometry(0, GridTop + view->height() + 4, PanelWidth, CaptionHeight);
    }
    if (grid == WindGrid) {
        // The combo box lies over the description's value cell.
        m_windCombo = new QComboBox(panel);
        m_windCombo->setObjectName(QStringLiteral("cbo_wind_bezeichnung"));
        m_windCombo->setMaxVisibleItems(WindComboItemCount);
        m_windCombo->addItems(m_grids.WindComboItems());
        m_windCombo->setCurrentIndex(-1);
        const int frame = view->frameWidth();
        m_windCombo->setGeometry(frame,
                                 GridTop + frame + WindRow::Description * UnitGridView::RowHeight,
                                 view->columnWidth(0), UnitGridView::RowHeight);
        m_windCombo->hide();
        connect(m_windCombo, &QComboBox::activated, this, &UnitPage::WindForceChosen);
    }
    showGrid(grid);
    return panel;
}

void UnitPage::rbo_einheiten00Click(int radio)
{
    m_grids.ShowQuantity(radio);
    const int shown = m_grids.ShownQuantity().grid;
    if (!m_built)
        return;
    for (const Quantity& quantity : Quantities())
        m_panels[size_t(quantity.grid - 1)]->setVisible(quantity.grid == shown);
    showWindCombo();
    // Names follow the language; the values typed so far stay.
    for (const Quantity& quantity : Quantities())
        showGrid(quantity.grid);
}

void UnitPage::WindForceChosen(int index)
{
    m_grids.WindForceChosen(index);
    showGrid(WindGrid);
    gridView(WindGrid)->setCurrentCell(WindRow::Description, 0);
    showWindCombo();
}

void UnitPage::showGrid(int grid)
{
    if (!m_built)
        return;
    gridView(grid)->ShowTexts(m_grids.Values(grid), m_grids.UnitNames(grid));
    if (grid == WindGrid && m_windCombo->currentIndex() != m_grids.WindComboIndex())
        m_windCombo->setCurrentIndex(m_grids.WindComboIndex());
}

void UnitPage::showWindCombo()
{
    if (!m_windCombo)
        return;
    m_windCombo->setVisible(m_grids.WindComboVisible());
    m_windCombo->raise();
}

void UnitPage::SetTexts(const UnitTexts& texts)
{
    m_grids.SetTexts(texts);
    retranslate();
}

void UnitPage::retranslate()
{
    if (!m_built)
        return;
    m_controlTexts.ApplyTo(*this);
    {
        const QSignalBlocker blocker(m_windCombo);
        m_windCombo->clear();
        m_windCombo->addItems(m_grids.WindComboItems());
        m_windCombo->setCurrentIndex(m_grids.WindComboIndex());
    }
    for (const Quantity& quantity : Quantities())
        showGrid(quantity.grid);
}
