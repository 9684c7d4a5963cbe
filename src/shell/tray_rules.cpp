#include "shell/tray_rules.h"

#include <QUrlQuery>

#include <cmath>

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

QUrl TellAFriendMail(const QString& subject, const QString& body)
{
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("Subject"),
                       QStringLiteral("Quorvanta: ") + subject + QStringLiteral("!!"));
    query.addQueryItem(QStringLiteral("body"),
                       body + QStringLiteral("!! \r\n\r\n") + QLatin1String(kProductWebAddress));
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    // An "&" or "=" in a translated text must not end its field.
    mail.setQuery(query.toString(QUrl::FullyEncoded), QUrl::StrictMode);
    return mail;
}

int CentredOffset(int screenSize, int windowSize)
{
    return int(std::lround((screenSize - windowSize) / 2.0));
}
