// Where the program goes when the user puts it away, and what comes back with it.
#pragma once

#include <QString>

// img_off hides into the notification area; a desktop without one would lose the window
// (no window, no icon), so there it minimises instead.
enum class PutAway { HideToTray, Minimize };
PutAway PutAwayFor(bool trayAvailable);

// A close request from the window system: with an icon the program only hides (it ends from
// the icon's menu); without one, closing ends it.
bool CloseEndsProgram(bool trayAvailable, bool quitFromMenu);

// Platform choice before the application object exists: on a Wayland session with XWayland
// the program runs on xcb, where it may place its own windows (docked tape, dragging,
// always on top). A platform the user chose always wins. Empty: leave the choice to Qt.
struct PlatformEnvironment {
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString qpaPlatform;    // QT_QPA_PLATFORM
    QString x11Display;     // DISPLAY, set when XWayland runs
};
QString ChoosePlatform(const PlatformEnvironment& env);
