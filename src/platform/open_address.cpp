#include "platform/open_address.h"

#include <QDesktopServices>

namespace {
std::function<void(const QUrl&)>& opener()
{
    static std::function<void(const QUrl&)> current;
    return current;
}
} // namespace

void SetAddressOpener(std::function<void(const QUrl&)> open)
{
    opener() = std::move(open);
}

void OpenAddress(const QUrl& address)
{
    if (opener())
        opener()(address);
    else
        QDesktopServices::openUrl(address);
}
