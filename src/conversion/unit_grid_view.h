// One grid of the unit page: column 0 the values, column 1 the unit names. The grid only
// forwards: a key typed into a value cell, a text changed in its editor and a cell chosen
// go to the page's handlers, which ask the engine and copy its texts back.
#pragma once

#include "calculator/key_filter.h"

#include <QStyledItemDelegate>
#include <QTableWidget>

#include <functional>

class UnitGridView : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int RowHeight = 20;

    UnitGridView(int rows, int valueWidth, int nameWidth, QWidget* parent = nullptr);

    // Copies the texts into the cells; the cell being edited keeps its editor's text.
    void ShowTexts(const QStringList& values, const QStringList& names);
    // The value cells the description row's combo box covers, and what it may type in.
    void SetEditable(int row, bool editable);

    // sgr_01_druckKeyPress: the key may be changed or dropped; the cell shows `cell` after.
    std::function<void(int row, FieldState& cell, char16_t key)> OnKeyPress;
    // sgr_01_druckSetEditText: the editor's text changed without a key the filter saw.
    std::function<void(int row, const QString& text)> OnSetEditText;
    // sgr_01_druckSelectCell: false refuses the cell; the grid then stays in column 0.
    std::function<bool(int row, int column)> OnSelectCell;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cellChosen(int row, int column, int previousRow, int previousColumn);
    friend class UnitCellDelegate;
};

// Draws the cells (values right-aligned, names on the button face) and edits a value cell
// in a right-aligned AlignEdit whose keys all go through the grid's OnKeyPress.
class UnitCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit UnitCellDelegate(UnitGridView* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // The engine holds the values: the grid's cells are written by ShowTexts only.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

private:
    UnitGridView* m_grid;
};
