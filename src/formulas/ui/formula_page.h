// tsh_formelrechner ("Formeln"): three tabs of formulas, the typeset formula with its
// variable fields, the legend, the drawing of the chosen area or volume, and the memory
// registers shared with the keypad. The page builds its controls when it is first shown;
// every event is one call on FormulaPageModel, after which Refresh() copies the
// page model's state into the widgets and moves the fields where the renderer put them.
#pragma once

#include "common/control_texts.h"
#include "formulas/engine/formula_page_model.h"
#include "formulas/ui/formula_renderer.h"

#include <QImage>
#include <QPointer>
#include <QWidget>

#include <array>

class ImageButton;
class ImageButtonEffect;
class SharedRegisters;
class QComboBox;
class QFrame;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class AlignEdit;
class MemoryGridWidget;
class QWindow;

ControlTexts FormulaControlTexts();

class FormulaPage : public QWidget {
    Q_OBJECT
public:
    FormulaPage(SharedRegisters& calculator, const McStrings& captions, KeyFilterServices services,
                ImageButtonEffect* effect = nullptr, QWidget* parent = nullptr);
    ~FormulaPage() override;

    FormulaPageModel& PageModel() { return m_pageModel; }
    const FormulaRenderer& Renderer() const { return m_renderer; }
    ControlTexts& Texts() { return m_texts; }
    // The page's memory grid and its scroll box; null until the page is built.
    MemoryGridWidget* MemoryGrid() const { return m_memory; }
    QScrollArea* MemoryBox() const { return m_memoryBox; }

    // The main window's page change: the page is shown, or the user leaves it.
    void pco_mainChange();
    void pco_mainChanging();
    void Refresh();
    void retranslate();
    // The language code (1 German, 2 English, …) the lists are shown in.
    void SetLanguage(int languageCode);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildGroups();
    void buildFormulaBox();
    void buildLegendAndDrawing();
    void buildMemory();
    void connectHooks();
    void watchScreen();
    void refreshFields();
    bool showDrawing();
    int fieldIndex(const QObject* object) const;
    int selectedRow() const;

    SharedRegisters& m_calculator;
    const McStrings& m_captions;
    KeyFilterServices m_services;
    ImageButtonEffect* m_effect;
    ControlTexts m_texts = FormulaControlTexts();
    FormulaPageModel m_pageModel;
    FormulaRenderer m_renderer;
    QImage m_legend;
    QImage m_drawing;
    bool m_built = false;
    QPointer<QWindow> m_watchedWindow;
    int m_focusWhenLeaving = FormulaModel::NoField;
    int m_language = 1;

    QTabWidget* m_groups = nullptr;
    std::array<QComboBox*, FormulaPageModel::GroupCount> m_lists{};
    std::array<AlignEdit*, FormulaPageModel::GroupCount> m_fixFields{};
    std::array<QSpinBox*, FormulaPageModel::GroupCount> m_fixUpDowns{};
    QScrollArea* m_formulaBox = nullptr;
    QWidget* m_formulaSurface = nullptr;
    QLabel* m_formulaImage = nullptr;
    std::array<AlignEdit*, FormulaCatalogue::SlotCount> m_fields{};
    QLabel* m_notice = nullptr;
    QLabel* m_legendImage = nullptr;
    QFrame* m_drawingPanel = nullptr;
    QLabel* m_drawingImage = nullptr;
    ImageButton* m_drawingToggle = nullptr;
    QScrollArea* m_memoryBox = nullptr;
    MemoryGridWidget* m_memory = nullptr;
};
