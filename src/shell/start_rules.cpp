#include "start_rules.h"

#include <QUrl>

int LanguageFromText(const QString& text)
{
    if (text.contains(u"Deutsch", Qt::CaseInsensitive))
        return GermanLanguage;
    if (text.contains(u"English", Qt::CaseInsensitive))
        return EnglishLanguage;
    if (text.contains(u"Polski", Qt::CaseInsensitive))
        return PolishLanguage;
    return GermanLanguage;
}

QString LanguageName(int code)
{
    switch (code) {
    case GermanLanguage:
        return QStringLiteral("Deutsch");
    case EnglishLanguage:
        return QStringLiteral("English");
    case PolishLanguage:
        return QStringLiteral("Polski");
    default:
        return QString();
    }
}

bool StartsHidden(const QStringList& arguments)
{
    return !arguments.isEmpty() && arguments.first() == u"WinStart";
}

namespace {
std::optional<quint16> portOf(const QString& text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
        ++end;
    bool ok = false;
    const uint port = text.left(end).toUInt(&ok);
    if (!ok || port == 0 || port > 65535)
        return std::nullopt;
    return quint16(port);
}
} // namespace

std::optional<ProxyAddress> ParseProxyServer(const QString& proxyServer)
{
    static const QString marker = QStringLiteral("socks=");
    const qsizetype at = proxyServer.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    const QString rest = proxyServer.mid(at + marker.size());
    // An IPv6 host comes in brackets, with colons of its own.
    qsizetype colon = -1;
    QString host;
    if (rest.startsWith(u'[')) {
        const qsizetype close = rest.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        host = rest.mid(1, close - 1);
        colon = rest.indexOf(u':', close);
        if (colon != close + 1)
            return std::nullopt;
    } else {
        colon = rest.indexOf(u':');
        if (colon < 0)
            return std::nullopt;
        host = rest.left(colon);
    }
    // A host never holds a blank or the separator of the next entry.
    if (host.isEmpty() || host.contains(u';') || host.contains(u' ') || host.contains(u'='))
        return std::nullopt;
    const auto port = portOf(rest.mid(colon + 1));
    if (!port)
        return std::nullopt;
    return ProxyAddress{host, *port};
}

std::optional<ProxyAddress> ParseAllProxy(const QString& url)
{
    const QUrl parsed(url.trimmed(), QUrl::StrictMode);
    if (!parsed.isValid() || !parsed.scheme().startsWith(u"socks", Qt::CaseInsensitive) ||
        parsed.host().isEmpty())
        return std::nullopt;
    return ProxyAddress{parsed.host(), quint16(parsed.port(1080))};
}

QString AutostartCommand(const QString& executable)
{
    return u'"' + executable + QStringLiteral("\" WinStart");
}

namespace {
// A path as one quoted argument of a desktop entry's Exec key: inside the quotes '"', '`',
// '$' and '\' take a backslash; then the value's own escapes apply ('\' doubles, line ends
// become \n), and '%' doubles so that it is no field code.
QString execArgument(const QString& path)
{
    QString quoted;
    for (const QChar c : path) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    QString value;
    for (const QChar c : u'"' + quoted + u'"') {
        if (c == u'\\')
            value += QStringLiteral("\\\\");
        else if (c == u'\n')
            value += QStringLiteral("\\n");
        else if (c == u'\r')
            value += QStringLiteral("\\r");
        else if (c == u'\t')
            value += QStringLiteral("\\t");
        else if (c == u'%')
            value += QStringLiteral("%%");
        else
            value += c;
    }
    return value;
}
} // namespace

QString AutostartDesktopEntry(const QString& executable)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quorvanta\n"
                          "Comment=Rechner für die Haustechnik, startet im Infobereich\n"
                          "Exec=%1 WinStart\n"
                          "Icon=de.drevion.Quorvanta\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execArgument(executable));
}
