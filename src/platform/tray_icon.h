// The program's icon in the desktop's notification area; its menu "popup_systray" belongs to
// the main window.
#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // Whether the desktop has a notification area at all.
    static bool Available();

    // A right click opens `menu` at the mouse position.
    TrayIcon(QMenu* menu, QObject* parent);
    void Show();
    void Remove();

signals:
    void openRequested(); // a left click

private:
    QSystemTrayIcon* m_icon = nullptr;
};
