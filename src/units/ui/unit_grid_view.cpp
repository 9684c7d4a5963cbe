#include "units/ui/unit_grid_view.h"

#include "common/key_chars.h"
#include "widgets/align_edit.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace {

bool opensNoEditor(char16_t key)
{
    using namespace KeyChar;
    return key == None || key == Enter || key == Tab || key == Esc;
}

} // namespace

UnitGridView::UnitGridView(int rows, int valueWidth, int nameWidth, QWidget* parent)
    : QTableWidget(rows, 2, parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    setColumnWidth(0, valueWidth);
    setColumnWidth(1, nameWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    setItemDelegate(new UnitCellDelegate(this));
    for (int row = 0; row < rows; ++row) {
        auto* value = new QTableWidgetItem;
        value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        setItem(row, 0, value);
        auto* name = new QTableWidgetItem;
        name->setFlags(Qt::ItemIsEnabled);
        setItem(row, 1, name);
    }
    const int frame = 2 * frameWidth();
    setFixedSize(valueWidth + nameWidth + frame, rows * RowHeight + frame);
    setCurrentCell(0, 0);
    connect(this, &QTableWidget::currentCellChanged, this, &UnitGridView::cellChosen);
}

void UnitGridView::ShowTexts(const QStringList& values, const QStringList& names)
{
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row, 0)->text() != values.value(row))
            item(row, 0)->setText(values.value(row));
        if (item(row, 1)->text() != names.value(row))
            item(row, 1)->setText(names.value(row));
    }
}

void UnitGridView::SetEditable(int row, bool editable)
{
    QTableWidgetItem* value = item(row, 0);
    if (value)
        value->setFlags(editable ? value->flags() | Qt::ItemIsEditable
                                 : value->flags() & ~Qt::ItemIsEditable);
}

void UnitGridView::keyPressEvent(QKeyEvent* event)
{
    const char16_t key = AlignEdit::KeyCharOf(event);
    const QModelIndex index = currentIndex();
    if (opensNoEditor(key) || !index.isValid() || index.column() != 0 || !OnKeyPress) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    // As in any editable grid, a key opens the cell's editor with the text selected and
    // goes on to it; a copy needs no editor, and the description row has none.
    if (key != KeyChar::CtrlC && index.flags().testFlag(Qt::ItemIsEditable) &&
        edit(index, QAbstractItemView::AnyKeyPressed, event))
        return;
    const QString text = item(index.row(), 0)->text();
    FieldState cell{text, int(text.size()), 0, int(text.size())};
    OnKeyPress(index.row(), cell, key);
    event->accept();
}

void UnitGridView::cellChosen(int row, int column, int, int)
{
    if (row < 0 || !OnSelectCell)
        return;
    if (!OnSelectCell(row, column))
        setCurrentCell(row, 0);
}

UnitCellDelegate::UnitCellDelegate(UnitGridView* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void UnitCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const bool name = index.column() == 1;
    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    const QPalette& palette = opt.palette;
    painter->save();
    painter->fillRect(opt.rect, name       ? palette.button()
                                : selected ? palette.highlight()
                                           : palette.base());
    painter->setPen(palette.color(name       ? QPalette::ButtonText
                                  : selected ? QPalette::HighlightedText
                                             : QPalette::Text));
    painter->setFont(opt.font);
    // Names 5 pixels from the left edge, values 5 pixels from the right, both 2 below the top.
    painter->drawText(opt.rect.adjusted(5, 2, -5, 0),
                      (name ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignTop, opt.text);
    painter->restore();
}

QWidget* UnitCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const
{
    auto* editor = new AlignEdit(parent);
    editor->SetAlignment(AlignEdit::Alignment::eaRight);
    editor->SetJumpOnReturn(false);
    editor->setFrame(false);
    // Pasting goes through the key rules only: no menu, no dropped text.
    editor->setContextMenuPolicy(Qt::NoContextMenu);
    editor->setAcceptDrops(false);
    const int row = index.row();
    UnitGridView* grid = m_grid;
    editor->OnKeyPress = [grid, row](AlignEdit& field, char16_t& key) {
        const char16_t typed = key;
        key = KeyChar::None; // the engine has inserted it already, or dropped it
        if (!grid->OnKeyPress)
            return;
        const bool selection = field.hasSelectedText();
        FieldState cell{field.text(), field.cursorPosition(),
                        selection ? field.selectionStart() : field.cursorPosition(),
                        selection ? int(field.selectedText().size()) : 0};
        grid->OnKeyPress(row, cell, typed);
        if (field.text() != cell.text)
            field.setText(cell.text);
        if (cell.selectionLength > 0)
            field.setSelection(cell.selectionStart, cell.selectionLength);
        else
            field.setCursorPosition(cell.cursor);
    };
    connect(editor, &QLineEdit::textEdited, grid, [grid, row](const QString& text) {
        if (grid->OnSetEditText)
            grid->OnSetEditText(row, text);
    });
    return editor;
}

void UnitCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* field = static_cast<QLineEdit*>(editor);
    field->setText(index.data().toString());
    field->selectAll();
}
