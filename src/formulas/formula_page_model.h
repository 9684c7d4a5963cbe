// The formula page tsh_formelrechner as plain data and rules: the three tabs with their
// selection lists, the eight variable fields (text, colour, visibility, selection and focus
// requests), when a change evaluates the formula, the drawing panel's place and the memory
// registers the page shares with the keypad.
//
// Flow: a key or change in a variable field goes through FieldKeyTyped / FieldTextChanged;
// while an evaluation is pending, FillVariableSet copies the fields into the variable set,
// the model solves, and the page's DrawFormula hook typesets the formula and places the
// fields. The page then copies everything here into its widgets.
#pragma once

#include "calculator/key_filter.h"
#include "calculator/memory_slots.h"
#include "formula_model.h"

#include <QRect>

#include <array>
#include <functional>

class FormulaPageModel {
public:
    static constexpr int GroupCount = 3;
    static constexpr int FieldLimit = 10; // characters a variable field takes
    // The legend img_erklaer and the enlarged place of the drawing (over the memory grid):
    // the magnifier enlarges it to 175 × 204, a page set-up places it 175 × 203.
    static constexpr QRect LegendPlace{8, 254, 181, 203};
    static constexpr QRect EnlargedDrawingPlace{183, 254, 175, 203};
    static constexpr QRect MagnifiedDrawingPlace{183, 254, 175, 204};
    static constexpr int SmallDrawingWidth = 163;

    FormulaPageModel(CalcDisplay& display, const McStrings& captions, MemorySlots& memory,
                     KeyFilterServices services);
    ~FormulaPageModel();
    FormulaPageModel(const FormulaPageModel&) = delete;
    FormulaPageModel& operator=(const FormulaPageModel&) = delete;

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
    void PageShown(); // the formula page is shown
    // The user leaves the formula page; `focusedField` is the variable field that had the
    // focus then, or NoField.
    void PageLeaving(int focusedField);
    // The tab of another formula group is about to show, then shows.
    void GroupLeaving();
    void GroupChosen(FormulaGroup group);
    void FormulaChosen(int index); // of the active tab's list
    void ClearPressed();
    // A typed key in a field; `state` is the field as it is and becomes what it shows.
    void FieldKeyTyped(int field, FieldState& state, char16_t key);
    // Delete released: the field's text now.
    void FieldKeyReleased(int field, bool deleteKey, const QString& text);
    // Any change of a field's text that was not a typed key (Delete, a cut).
    void FieldTextChanged(int field, const QString& text);
    // The user leaves the field (it may still hold the keyboard focus while this runs).
    void FieldLeft(int field);
    // The decimals up-down of the active tab.
    void DecimalsChosen(int position);
    // The magnifier: the drawing between its small and its enlarged place.
    void DrawingSizeToggled();
    // Memory, at the row selected in sgr_memoryblock2.
    void StoreInMemory(int row);
    void RecallFromMemory(int row);
    void ClearMemory(int row) { m_memory.Clear(row); }

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
