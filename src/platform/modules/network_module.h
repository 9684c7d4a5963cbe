// What the module quorvanta_network does for the program: the only code that links Qt Network.
// The module is loaded with the first transfer (and, on Windows, for the single instance's
// named pipe once the main window is up), never before the window's first frame.
#pragma once

#include "platform/local_channel.h"
#include "platform/proxy_address.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QObject;

enum class TransferOutcome {
    Done,
    Failed,      // no connection, or the connection broke
    HttpError,   // an answer other than 200
    TimedOut,    // no data within the time-out, or not done by the deadline
    TooLarge,    // the body passed the size cap
    Refused,     // the body did not pass the caller's check
    CannotWrite, // the target file could not be written
};

struct TransferLimits {
    int timeoutMs = 10000;  // without data for this long, a transfer ends
    int deadlineMs = 60000; // however much data comes, a transfer ends after this long
    qint64 maxBodyBytes = 1024 * 1024;
};

// One GET, or one POST of a form body.
struct WebRequest {
    QUrl url;
    bool post = false;
    QByteArray formBody;
    TransferLimits limits;
    std::optional<ProxyAddress> proxy; // SOCKS 5; none means a direct connection
};

// The transfers of one client. Deleting it abandons the transfers still running: their
// callbacks never run.
class WebTransport {
public:
    virtual ~WebTransport() = default;
    using Done = std::function<void(TransferOutcome outcome, QByteArray body)>;
    // `done` runs once, on the main thread, from the event loop.
    virtual void Transfer(const WebRequest& request, Done done) = 0;
};

// The module's two factories (for MakeModuleObject).
inline constexpr const char* kNetworkModule = "quorvanta_network";
inline constexpr const char* kMakeWebTransport = "QuorvantaMakeWebTransport";
inline constexpr const char* kMakeLocalChannel = "QuorvantaMakeLocalChannel";
