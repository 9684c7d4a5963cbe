#include "tray_rules.h"

PutAway PutAwayFor(bool trayAvailable)
{
    return trayAvailable ? PutAway::HideToTray : PutAway::Minimize;
}

bool CloseEndsProgram(bool trayAvailable, bool quitFromMenu)
{
    return quitFromMenu || !trayAvailable;
}

QString ChoosePlatform(const PlatformEnvironment& env)
{
    if (!env.qpaPlatform.isEmpty() || env.waylandDisplay.isEmpty() || env.x11Display.isEmpty())
        return QString();
    return QStringLiteral("xcb");
}
