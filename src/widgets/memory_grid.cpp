#include "widgets/memory_grid.h"

#include "common/memory_slots.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {
constexpr int kRowHeight = 16;
constexpr int kNumberWidth = 28;
constexpr int kValueWidth = 176;
} // namespace

QTableWidget* MakeMemoryGrid(const QString& objectName)
{
    auto* grid = new QTableWidget(MemorySlots::Count, 2);
    grid->setObjectName(objectName);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setColumnWidth(0, kNumberWidth);
    grid->setColumnWidth(1, kValueWidth);
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setFrameShape(QFrame::NoFrame);
    grid->setFixedSize(kNumberWidth + kValueWidth, MemorySlots::Count * kRowHeight);
    for (int row = 0; row < MemorySlots::Count; ++row) {
        auto* number = new QTableWidgetItem(QString::number(row + 1));
        number->setTextAlignment(Qt::AlignCenter);
        number->setBackground(QColor(0xE4, 0xE8, 0xE7));
        grid->setItem(row, 0, number);
        grid->setItem(row, 1, new QTableWidgetItem);
    }
    grid->setCurrentCell(0, 1);
    return grid;
}
