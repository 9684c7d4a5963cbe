// Where the program goes when the user puts it away, and what comes back with it.
#pragma once

#include <QString>
#include <QUrl>

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

// The maker's web site (the page logos, the first banner link) and the product's download page,
// without scheme.
inline constexpr const char* kMakerWebAddress = "www.quorvanta.example";
inline constexpr const char* kProductWebAddress = "www.quorvanta.example/download";

// img_tellafriend: a mail with the subject "Quorvanta: " + `subject` + "!!" and the body `body`
// + "!! ", two line breaks and the product's address (`subject` and `body` are the translated
// "MC_strings" 54 and 55).
QUrl TellAFriendMail(const QString& subject, const QString& body);

// img_fullscreen centres the window: the same margin on both sides, rounded.
int CentredOffset(int screenSize, int windowSize);
