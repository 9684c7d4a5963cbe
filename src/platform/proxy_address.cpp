#include "platform/proxy_address.h"

#include <QUrl>

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
