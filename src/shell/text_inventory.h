// Every German text of the program with its address in the translation file: the controls
// of both windows with every page built, of every dialog, and the runtime arrays. The
// translation table is checked against it, and it is written out for the translators.
#pragma once

#include "language_switch.h"

class MainWindow;

// Builds every page of `main` (the window must be shown for that) and makes each dialog once.
QList<ShownText> GermanTextInventory(MainWindow& main, QWidget* tape,
                                     QStringList* unnamed = nullptr);
// Tab-separated UTF-8: form, component, property, index, German text.
bool WriteTextInventory(const QList<ShownText>& texts, const QString& fileName);
