// The local socket through which a later start asks the first instance to show itself.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class LocalChannel {
public:
    virtual ~LocalChannel() = default;
    // Listens on `socketName` (a stale socket of that name is removed first); `showRequested`
    // runs for each later start that asks. False when it cannot listen.
    virtual bool Listen(const QString& socketName, std::function<void()> showRequested) = 0;
    // Asks the instance listening on `socketName` to show itself, trying until `timeoutMs`
    // is up. False when it could not be reached in time.
    virtual bool AskToShow(const QString& socketName, int timeoutMs) = 0;
};

// What a later start writes; the first instance hangs up once it has read it.
inline constexpr char kShowRequest[] = "show\n";

// The channel of this system: a Unix-domain socket of its own where there is one (no network
// library needed for it), else the one of the module quorvanta_network. Null when neither can
// be had.
std::unique_ptr<LocalChannel> MakeLocalChannel();
