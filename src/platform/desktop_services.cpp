#include "platform/desktop_services.h"

#include <QApplication>
#include <QClipboard>

void DesktopServices::ErrorSignal(int n)
{
    m_sounds.PlaySoundNumber(n);
}

QString DesktopServices::Text() const
{
    return QApplication::clipboard()->text();
}

void DesktopServices::SetText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}
