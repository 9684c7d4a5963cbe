// The memory grid of the twenty slots, as the keypad and the formula page both show it:
// slot numbers in column 0, the stored values in column 1, no headers or scroll bars of its
// own (a scroll box around it scrolls it).
#pragma once

#include <QString>

class QTableWidget;

QTableWidget* MakeMemoryGrid(const QString& objectName);
