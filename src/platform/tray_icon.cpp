#include "platform/tray_icon.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

bool TrayIcon::Available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

TrayIcon::TrayIcon(QMenu* menu, QObject* parent) : QObject(parent)
{
    m_icon = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_icon->setToolTip(QStringLiteral("Quorvanta"));
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger)
                    emit openRequested();
            });
}

void TrayIcon::Show()
{
    m_icon->show();
}

void TrayIcon::Remove()
{
    m_icon->hide();
}
