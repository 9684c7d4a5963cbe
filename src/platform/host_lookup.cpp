#include "platform/host_lookup.h"

#include <QThread>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <memory>
#include <utility>

#ifdef Q_OS_UNIX
#include <netdb.h>
#include <sys/socket.h>
#endif

namespace {
bool resolves(const QByteArray& name)
{
#ifdef Q_OS_UNIX
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int rc = ::getaddrinfo(name.constData(), nullptr, &hints, &found);
    if (found)
        ::freeaddrinfo(found);
    return rc == 0;
#else
    // Elsewhere the transfer finds out for itself.
    Q_UNUSED(name);
    return true;
#endif
}
} // namespace

void LookUpHost(const QString& host, int timeoutMs, QObject* context,
                std::function<void(HostLookup)> done)
{
    struct State {
        std::function<void(HostLookup)> done;
        bool answered = false; // on the context's thread only
        std::atomic<bool> found = false;
    };
    auto state = std::make_shared<State>();
    state->done = std::move(done);
    const auto answer = [state](HostLookup result) {
        if (std::exchange(state->answered, true))
            return;
        state->done(result);
    };
    // A resolver without an answer can take half a minute; the transfer's time-out holds here
    // too. The thread goes on alone then, and its answer is dropped.
    QTimer::singleShot(timeoutMs, context, [answer] { answer(HostLookup::TimedOut); });
    QThread* worker = QThread::create(
        [name = QUrl::toAce(host), state] { state->found = !name.isEmpty() && resolves(name); });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QObject::connect(worker, &QThread::finished, context, [answer, state] {
        answer(state->found ? HostLookup::Found : HostLookup::NotFound);
    });
    worker->start();
}
