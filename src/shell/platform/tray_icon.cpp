#include "tray_icon.h"

#include <QApplication>
#include <QMenu>
#include <QSystemTrayIcon>

bool TrayIcon::Available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

TrayIcon::TrayIcon(QObject* parent) : QObject(parent)
{
    m_menu = new QMenu;
    m_menu->setObjectName(QStringLiteral("popup_systray"));
    QAction* open = m_menu->addAction(QStringLiteral("Quorvanta öffnen"));
    open->setObjectName(QStringLiteral("menuItem_open"));
    QAction* close = m_menu->addAction(QStringLiteral("Quorvanta schliessen"));
    close->setObjectName(QStringLiteral("menuItem_close"));
    connect(open, &QAction::triggered, this, &TrayIcon::openRequested);
    connect(close, &QAction::triggered, this, &TrayIcon::quitRequested);

    m_icon = new QSystemTrayIcon(QApplication::windowIcon(), this);
    m_icon->setToolTip(QStringLiteral("Quorvanta"));
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger)
                    emit openRequested();
            });
}

TrayIcon::~TrayIcon()
{
    delete m_menu;
}

void TrayIcon::Show()
{
    m_icon->show();
}

void TrayIcon::Remove()
{
    m_icon->hide();
}
