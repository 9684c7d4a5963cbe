// The formula page tsh_formelrechner as plain data and rules: the three tabs with their
// selection lists, the eight variable fields (text, colour, visibility, selection and focus
// requests), when a change evaluates the formula, the drawing panel's place and the memory
// registers the page shares with the keypad.
//
// Flow: a key or change in a variable field goes through edt_KeyPress / edt_Change; while an
// evaluation is pending, FillVariableSet copies the fields into the variable set, the model
// solves, and the page's DrawFormula hook typesets the formula and places the fields. The
// page then copies everything here into its widgets.
#pragma once

#include "calculator/key_filter.h"
#include "calculator/memory_slots.h"
#include "formula_model.h"

#include <QRect>

#include <array>
#include <functional>

class FormulaPageController {
public:
    static constexpr int GroupCount = 3;
    static constexpr int FieldLimit = 10; // characters a variable field takes
    // The legend img_erklaer and the enlarged place of the drawing (over the memory grid):
    // the magnifier enlarges it to 175 × 204, a page set-up places it 175 × 203.
    static constexpr QRect LegendPlace{8, 254, 181, 203};
    static constexpr QRect EnlargedDrawingPlace{183, 254, 175, 203};
    static constexpr QRect MagnifiedDrawingPlace{183, 254, 175, 204};
    static constexpr int SmallDrawingWidth = 163;

    FormulaPageController(CalcDisplay& display, const McStrings& captions, MemorySlots& memory,
                          KeyFilterServices services);
    ~FormulaPageController();
    FormulaPageController(const FormulaPageController&) = delete;
    FormulaPageController& operator=(const FormulaPageController&) = delete;

    FormulaModel& Model() { return m_model; }
    const FormulaModel& Model() const { return m_model; }
    CalcDisplay& Display() { return m_display; }

    // Page state.
    bool SelectAllOnChange = false;
    bool ClearingFields = false;
    bool DrawingSmall = true;
    int LegendHeight = 0;
    int LastFocusedVariable = 0;
    int SavedFormulaIndex = 0;
    std::array<int, GroupCount> GroupFormulaIndex{};

    // The tabs and their selection lists as the page shows them.
    FormulaGroup ActiveGroup = FormulaGroup::BuildingServices;
    std::array<int, GroupCount> ListIndex{};
    int SelectedFormula() const;

    // The fields the typeset formula shows; the others are hidden.
    std::array<bool, FormulaCatalogue::SlotCount> FieldVisible{};
    // Fields whose whole text is to be selected; the page selects and resets them.
    std::array<bool, FormulaCatalogue::SlotCount> SelectAllRequest{};

    // Horizontal scroll range of scx_formel.
    int ScrollRange = 350;

    // Drawing panel pnl_zeichnung: shown or not, and where.
    bool DrawingVisible = false;
    QRect DrawingPlace{LegendPlace.x(), LegendPlace.y(), SmallDrawingWidth, 0};
    // The memory grid is hidden only while the enlarged drawing lies over it.
    bool MemoryGridVisible() const { return !(DrawingVisible && !DrawingSmall); }
    // cbo_formelDropDown: the width of the building-services list when it drops down, for a
    // language code; 0 keeps the list's own width.
    static int DropDownWidth(int languageCode);
    // Hint of img_ShowZeichnung: "Zeichnung vergrössern" or "Zeichnung verkleinern".
    QString DrawingToggleHint() const;

    // Hooks of the page. DrawFormula typesets the variable set (symbol line when asked)
    // and places the visible fields; it returns the scroll range the formula needs.
    std::function<int(bool symbolLine, bool valueLine)> DrawFormula;
    // Every field back to its first width (90 for the first, 9 for the others).
    std::function<void()> ResetFieldWidths;
    // Draws the legend of the selected formula; returns LegendHeight.
    std::function<int()> DrawLegend;
    // Shows the drawing of the selected formula; false when it cannot be shown.
    std::function<bool()> ShowDrawing;
    // Gives a variable field the keyboard focus (its exit and enter handling run at once).
    std::function<void(int field)> FocusField;

    // Events of the page.
    void pco_mainChange(); // the formula page is shown
    // The user leaves the formula page; `focusedField` is the variable field that had the
    // focus then, or NoField.
    void pco_mainChanging(int focusedField);
    void pco_formelChanging();
    void pco_formelChange(FormulaGroup group);
    void cbo_formelChange(int index); // of the active tab's list
    void img_loeschenClick();
    // A typed key in a field; `state` is the field as it is and becomes what it shows.
    void edt_KeyPress(int field, FieldState& state, char16_t key);
    // Delete released: the field's text now.
    void edt_KeyUp(int field, bool deleteKey, const QString& text);
    // Any change of a field's text that was not a typed key (Delete, a cut).
    void edt_Change(int field, const QString& text);
    // The user leaves the field (it may still hold the keyboard focus while this runs).
    void edt_exit(int field);
    void udo_fixClick(int position);
    void img_ShowZeichnungClick();
    // Memory, at the row selected in sgr_memoryblock2.
    void spb_in2Click(int row);
    void spb_out2Click(int row);
    void spb_clearClick(int row) { m_memory.Clear(row); }

private:
    void commonSetUp(int focusField);
    void hideFields();
    void render(bool scrollRangeUpdate = true);
    void showLegendAndDrawing();
    void placeDrawing();
    void clearFormulaFields();
    void changed(int field, const QString& text);
    // The exit handling of a field: leaving it, or new decimals reformatting it.
    void exitHandling(int field);
    void setFocus(int field);

    CalcDisplay& m_display;
    const McStrings& m_captions;
    FormulaModel m_model;
    MemorySlots& m_memory;
    KeyFilterServices m_services;
};
