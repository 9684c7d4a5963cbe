#include "network_proxy.h"

QNetworkProxy SocksProxy(const std::optional<ProxyAddress>& address)
{
    if (!address)
        return QNetworkProxy(QNetworkProxy::NoProxy);
    return QNetworkProxy(QNetworkProxy::Socks5Proxy, address->host, address->port);
}
