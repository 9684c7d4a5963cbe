// The memory grid of the twenty slots, as the keypad and the formula page both show it:
// slot numbers in column 0, the stored values in column 1, no headers or scroll bars of its
// own (a scroll box around it scrolls it). A painted widget rather than a table view: twenty
// fixed rows need no item models, and the keypad page builds it before the first frame.
#pragma once

#include "common/memory_slots.h"

#include <QString>
#include <QWidget>

#include <array>

class QStyleOptionViewItem;

class MemoryGridWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int RowCount = MemorySlots::Count;
    static constexpr int ColumnCount = 2;

    explicit MemoryGridWidget(const QString& objectName, QWidget* parent = nullptr);

    // The current cell is the selected one; it starts at the first slot's value.
    int CurrentRow() const { return m_row; }
    int CurrentColumn() const { return m_column; }
    // Out-of-range cells are refused.
    void SetCurrentCell(int row, int column);

    // The slot number (column 0) or the value shown (column 1); empty outside the grid.
    QString CellText(int row, int column) const;
    void SetValue(int row, const QString& text);
    // Where the cell is painted, in the grid's own coordinates.
    QRect CellRect(int row, int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void paintCell(QPainter& painter, const QStyleOptionViewItem& base, int row, int column);
    void moveTo(int row, int column);
    void selectAt(const QPoint& point);

    std::array<QString, RowCount> m_values;
    int m_row = 0;
    int m_column = 1;
};
