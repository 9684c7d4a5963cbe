// The module quorvanta_network: the web transfers and, where the system has no Unix-domain
// sockets, the single instance's local socket; the only code that links Qt Network (and the
// Kerberos and proxy libraries under it).
#include "platform/modules/network_module.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

class Transport : public WebTransport {
public:
    void Transfer(const WebRequest& request, Done done) override
    {
        m_manager.setProxy(request.proxy ? QNetworkProxy(QNetworkProxy::Socks5Proxy,
                                                         request.proxy->host, request.proxy->port)
                                         : QNetworkProxy(QNetworkProxy::NoProxy));
        QNetworkRequest http(request.url);
        QNetworkReply* reply = nullptr;
        if (request.post) {
            http.setHeader(QNetworkRequest::ContentTypeHeader,
                           QStringLiteral("application/x-www-form-urlencoded"));
            reply = m_manager.post(http, request.formBody);
        } else {
            http.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                              QNetworkRequest::NoLessSafeRedirectPolicy);
            reply = m_manager.get(http);
        }
        watch(reply, request.limits, std::move(done));
    }

private:
    // Ends the transfer after `timeoutMs` without data, at `deadlineMs`, or once the body
    // passes the cap.
    static void watch(QNetworkReply* reply, TransferLimits limits, Done done)
    {
        struct State {
            QByteArray body;
            std::optional<TransferOutcome> abortedFor;
        };
        auto state = std::make_shared<State>();
        auto* silence = new QTimer(reply);
        silence->setSingleShot(true);
        silence->setInterval(limits.timeoutMs);
        const qint64 cap = limits.maxBodyBytes;

        const auto abortFor = [reply, state](TransferOutcome why) {
            if (!state->abortedFor)
                state->abortedFor = why;
            reply->abort();
        };
        QObject::connect(silence, &QTimer::timeout, reply,
                         [abortFor] { abortFor(TransferOutcome::TimedOut); });
        // A host that trickles a byte now and then never falls silent: the deadline ends it.
        QTimer::singleShot(limits.deadlineMs, reply,
                           [abortFor] { abortFor(TransferOutcome::TimedOut); });
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, cap, abortFor] {
            const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
            if (length.isValid() && length.toLongLong() > cap)
                abortFor(TransferOutcome::TooLarge);
        });
        QObject::connect(reply, &QNetworkReply::readyRead, reply,
                         [reply, state, cap, silence, abortFor] {
                             silence->start();
                             state->body += reply->read(cap + 1 - state->body.size());
                             if (state->body.size() > cap)
                                 abortFor(TransferOutcome::TooLarge);
                         });
        QObject::connect(reply, &QNetworkReply::uploadProgress, silence,
                         qOverload<>(&QTimer::start));
        QObject::connect(reply, &QNetworkReply::finished, reply, [reply, state, done] {
            reply->deleteLater();
            if (state->abortedFor) {
                done(*state->abortedFor, {});
                return;
            }
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (reply->error() != QNetworkReply::NoError && status == 0) {
                done(TransferOutcome::Failed, {});
                return;
            }
            if (status != 200) {
                done(TransferOutcome::HttpError, {});
                return;
            }
            if (reply->error() != QNetworkReply::NoError) {
                done(TransferOutcome::Failed, {}); // cut off half-way, say
                return;
            }
            state->body += reply->readAll();
            done(TransferOutcome::Done, state->body);
        });
        silence->start();
    }

    QNetworkAccessManager m_manager;
};

class Channel : public LocalChannel {
public:
    bool Listen(const QString& socketName, std::function<void()> showRequested) override
    {
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        // A socket left by a killed instance would refuse the name.
        QLocalServer::removeServer(socketName);
        if (!m_server.listen(socketName))
            return false;
        QObject::connect(&m_server, &QLocalServer::newConnection, &m_server,
                         [this, showRequested = std::move(showRequested)] {
                             while (QLocalSocket* socket = m_server.nextPendingConnection())
                                 serve(socket, showRequested);
                         });
        return true;
    }

    bool AskToShow(const QString& socketName, int timeoutMs) override
    {
        // The first instance holds the lock a while before it listens: try until the time
        // is up.
        const QDeadlineTimer deadline(timeoutMs);
        const auto remaining = [&deadline] {
            return int(std::max<qint64>(1, deadline.remainingTime()));
        };
        while (!deadline.hasExpired()) {
            QLocalSocket socket;
            socket.connectToServer(socketName);
            if (socket.waitForConnected(remaining())) {
                socket.write(kShowRequest);
                const bool sent = socket.waitForBytesWritten(remaining());
                // The first instance hangs up once it has read the request.
                socket.waitForDisconnected(remaining());
                return sent;
            }
            QThread::msleep(50);
        }
        return false;
    }

private:
    static void serve(QLocalSocket* socket, const std::function<void()>& showRequested)
    {
        QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [socket, showRequested] {
            if (!socket->canReadLine())
                return;
            if (socket->readLine() == kShowRequest && showRequested)
                showRequested();
            socket->disconnectFromServer();
        };
        QObject::connect(socket, &QLocalSocket::readyRead, socket, read);
        read();
    }

    QLocalServer m_server;
};

} // namespace

extern "C" Q_DECL_EXPORT WebTransport* QuorvantaMakeWebTransport()
{
    return new Transport;
}

extern "C" Q_DECL_EXPORT LocalChannel* QuorvantaMakeLocalChannel()
{
    return new Channel;
}
