// The proxy of the program's web transfers, as the network library takes it.
#pragma once

#include "shell/start_rules.h"

#include <QNetworkProxy>

#include <optional>

// A SOCKS 5 proxy at the address, or no proxy at all.
QNetworkProxy SocksProxy(const std::optional<ProxyAddress>& address);
