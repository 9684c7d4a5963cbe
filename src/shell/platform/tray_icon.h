// The program's icon in the desktop's notification area with its menu "popup_systray".
#pragma once

#include <QObject>

class QMenu;
class QSystemTrayIcon;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // Whether the desktop has a notification area at all.
    static bool Available();

    explicit TrayIcon(QObject* parent);
    ~TrayIcon() override;
    void Show();
    void Remove();

signals:
    void openRequested(); // a left click, or "Quorvanta öffnen"
    void quitRequested(); // "Quorvanta schliessen"

private:
    QSystemTrayIcon* m_icon = nullptr;
    QMenu* m_menu = nullptr;
};
