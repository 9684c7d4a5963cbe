// The SOCKS proxy the program's transfers go through, as the settings or the environment name it.
#pragma once

#include <QString>

#include <optional>

struct ProxyAddress {
    QString host;
    quint16 port = 0;
    friend bool operator==(const ProxyAddress&, const ProxyAddress&) = default;
};

// The SOCKS proxy of a "ProxyServer" text ("http=a:80;socks=host:1080"): the host after
// "socks=" up to the next ":", and the port's digits after it. Nothing when there is no
// "socks=" entry, or its host or port is missing or malformed.
std::optional<ProxyAddress> ParseProxyServer(const QString& proxyServer);
// The SOCKS proxy of an all_proxy URL ("socks5://host:1080"); nothing for another scheme.
std::optional<ProxyAddress> ParseAllProxy(const QString& url);
