#include "desktop_services.h"

#include <QApplication>
#include <QClipboard>

void DesktopServices::ErrorSignal(int)
{
    // The program's own sounds replace the system bell once the sound files are delivered.
    QApplication::beep();
}

QString DesktopServices::Text() const
{
    return QApplication::clipboard()->text();
}

void DesktopServices::SetText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}
