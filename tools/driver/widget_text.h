// What the driver reads from a widget or an open dialog: the texts and numbers a user sees.
#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QWidget;

// The text a user reads in a widget: edit/label text, combo current text, check state "0"/"1",
// tape and memo as plain text, the current page's caption of a page control.
QString WidgetText(QWidget* w);

// One named property as `print NAME PROP` shows it: visible, enabled, readonly, color,
// tooltip, x, y, width, height, focus, index, count, or any Qt property. False when the widget
// has no such property.
bool WidgetProperty(QWidget* w, const QString& prop, QString& value);

// The buttons of a dialog in the order the user sees them, and a caption without its '&'.
QList<QAbstractButton*> DialogButtons(QWidget* dialog);
QString PlainCaption(QString caption);

// The message a dialog shows: a message box's text, the program's message dialog's text, or
// else its visible labels, one a line.
QString DialogText(QWidget* dialog);
