#include "widgets/memory_grid.h"

#include "common/memory_slots.h"
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>

#include <algorithm>

namespace {
constexpr int kRowHeight = 16;
constexpr int kNumberWidth = 28;
constexpr int kValueWidth = 176;
constexpr int kColumnLeft[MemoryGridWidget::ColumnCount + 1] = {0, kNumberWidth,
                                                                kNumberWidth + kValueWidth};
// The line between cells takes the last pixel of each row and column.
constexpr int kGridLine = 1;
const QColor kNumberBackground(0xE4, 0xE8, 0xE7);
} // namespace

MemoryGridWidget::MemoryGridWidget(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setBackgroundRole(QPalette::Base);
    setFixedSize(kColumnLeft[ColumnCount], RowCount * kRowHeight);
}

void MemoryGridWidget::SetCurrentCell(int row, int column)
{
    if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount)
        return;
    if (row == m_row && column == m_column)
        return;
    update(CellRect(m_row, m_column));
    m_row = row;
    m_column = column;
    update(CellRect(m_row, m_column));
}

QString MemoryGridWidget::CellText(int row, int column) const
{
    if (row < 0 || row >= RowCount)
        return {};
    if (column == 0)
        return QString::number(row + 1);
    return column == 1 ? m_values[size_t(row)] : QString();
}

void MemoryGridWidget::SetValue(int row, const QString& text)
{
    if (row < 0 || row >= RowCount || m_values[size_t(row)] == text)
        return;
    m_values[size_t(row)] = text;
    update(CellRect(row, 1));
}

QRect MemoryGridWidget::CellRect(int row, int column) const
{
    if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount)
        return {};
    return QRect(kColumnLeft[column], row * kRowHeight,
                 kColumnLeft[column + 1] - kColumnLeft[column] - kGridLine, kRowHeight - kGridLine);
}

// Painted through the style as a table view paints its cells, so the grid looks like the
// other grids of the program: the same highlight, focus frame, text margins and lines.
void MemoryGridWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, palette().brush(QPalette::Base));

    QStyleOptionViewItem base;
    base.initFrom(this);
    base.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
    // Like a view, the selection looks inactive while the focus is elsewhere.
    if (!hasFocus())
        base.state &= ~QStyle::State_Active;
    base.font = font();
    base.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    base.textElideMode = Qt::ElideRight;
    base.showDecorationSelected = true;
    base.widget = this;

    for (int row = 0; row < RowCount; ++row)
        for (int column = 0; column < ColumnCount; ++column)
            if (CellRect(row, column).adjusted(0, 0, kGridLine, kGridLine).intersects(dirty))
                paintCell(painter, base, row, column);

    const QColor lines =
        QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &base, this)));
    painter.setPen(QPen(lines, 0));
    for (int row = 0; row < RowCount; ++row) {
        const int y = (row + 1) * kRowHeight - kGridLine;
        painter.drawLine(dirty.left(), y, dirty.right(), y);
    }
    for (int column = 0; column < ColumnCount; ++column) {
        const int x = kColumnLeft[column + 1] - kGridLine;
        painter.drawLine(x, dirty.top(), x, dirty.bottom());
    }
}

void MemoryGridWidget::paintCell(QPainter& painter, const QStyleOptionViewItem& base, int row,
                                 int column)
{
    QStyleOptionViewItem option = base;
    option.rect = CellRect(row, column);
    option.text = CellText(row, column);
    if (!option.text.isEmpty())
        option.features |= QStyleOptionViewItem::HasDisplay;
    if (column == 0) {
        option.displayAlignment = Qt::AlignCenter;
        option.backgroundBrush = kNumberBackground;
    }
    if (row == m_row && column == m_column) {
        option.state |= QStyle::State_Selected;
        if (hasFocus())
            option.state |= QStyle::State_HasFocus;
    }
    if (option.state & QStyle::State_Enabled)
        option.palette.setCurrentColorGroup(QPalette::Normal);
    style()->drawPrimitive(QStyle::PE_PanelItemViewRow, &option, &painter, this);
    style()->drawControl(QStyle::CE_ItemViewItem, &option, &painter, this);
}

void MemoryGridWidget::moveTo(int row, int column)
{
    SetCurrentCell(std::clamp(row, 0, RowCount - 1), std::clamp(column, 0, ColumnCount - 1));
}

void MemoryGridWidget::selectAt(const QPoint& point)
{
    if (!rect().contains(point))
        return;
    const int row = point.y() / kRowHeight;
    const int column = point.x() < kColumnLeft[1] ? 0 : 1;
    SetCurrentCell(row, column);
}

void MemoryGridWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        selectAt(event->position().toPoint());
}

void MemoryGridWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        selectAt(event->position().toPoint());
}

void MemoryGridWidget::keyPressEvent(QKeyEvent* event)
{
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up:
        moveTo(m_row - 1, m_column);
        return;
    case Qt::Key_Down:
        moveTo(m_row + 1, m_column);
        return;
    case Qt::Key_Left:
        moveTo(m_row, m_column - 1);
        return;
    case Qt::Key_Right:
        moveTo(m_row, m_column + 1);
        return;
    case Qt::Key_Home:
        moveTo(control ? 0 : m_row, 0);
        return;
    case Qt::Key_End:
        moveTo(control ? RowCount - 1 : m_row, ColumnCount - 1);
        return;
    case Qt::Key_PageUp:
        moveTo(0, m_column);
        return;
    case Qt::Key_PageDown:
        moveTo(RowCount - 1, m_column);
        return;
    default:
        break;
    }
    // Other typed characters stop here, as they did in a table view; Enter, Esc and the
    // function keys go on to the page.
    if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return;
    event->ignore();
}

// Tab walks the cells row by row and round again from the first, as in the program's other
// grids.
bool MemoryGridWidget::focusNextPrevChild(bool next)
{
    if (!isVisible() || !isEnabled())
        return QWidget::focusNextPrevChild(next);
    const int cells = RowCount * ColumnCount;
    const int index = (m_row * ColumnCount + m_column + (next ? 1 : cells - 1)) % cells;
    SetCurrentCell(index / ColumnCount, index % ColumnCount);
    return true;
}

void MemoryGridWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(CellRect(m_row, m_column));
}

void MemoryGridWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(CellRect(m_row, m_column));
}

void MemoryGridWidget::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::EnabledChange)
        update();
}
