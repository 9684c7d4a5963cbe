// Opening a web or mail address with the desktop's own program for it.
#pragma once

#include <QUrl>

#include <functional>

// Hands the address to the desktop. Tests put their own opener here, so that no run ever
// starts a browser.
void OpenAddress(const QUrl& address);
void SetAddressOpener(std::function<void(const QUrl&)> opener);
