#include "platform/web_client.h"

#include "platform/host_lookup.h"
#include "platform/program_module.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimer>

QUrl WebHosts::At(const QUrl& base, const QString& path)
{
    QUrl url = base;
    QString basePath = url.path();
    if (basePath.endsWith(u'/'))
        basePath.chop(1);
    url.setPath(basePath + path);
    return url;
}

WebClient::WebClient(TransferLimits limits, QObject* parent) : QObject(parent), m_limits(limits) {}

WebClient::~WebClient() = default;

QByteArray WebClient::FormBody(const QList<std::pair<QString, QString>>& fields)
{
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    return body;
}

void WebClient::transfer(WebRequest request, WebTransport::Done done)
{
    // Tests that start the whole program set QUORVANTA_LOOPBACK_ONLY: the default rate source
    // is on the internet, and a test reaches no further than this machine.
    const QString host = request.url.host();
    const bool offLimits = !qEnvironmentVariableIsEmpty("QUORVANTA_LOOPBACK_ONLY") &&
                           !host.startsWith(u"127.") && host != u"::1" && host != u"localhost";
    if (offLimits) {
        // Said as for any transfer: later, from the event loop.
        QTimer::singleShot(0, this,
                           [done = std::move(done)] { done(TransferOutcome::Failed, {}); });
        return;
    }
    request.limits = m_limits;
    request.proxy = m_proxy;
    if (request.proxy) {
        start(request, std::move(done)); // the proxy finds the host
        return;
    }
    // A host the system cannot find (no network, say) fails here, before the network stack
    // and its TLS libraries are loaded for a transfer that cannot happen.
    LookUpHost(host, m_limits.timeoutMs, this,
               [this, request, done = std::move(done)](HostLookup found) mutable {
                   if (found == HostLookup::Found)
                       start(request, std::move(done));
                   else
                       done(found == HostLookup::TimedOut ? TransferOutcome::TimedOut
                                                          : TransferOutcome::Failed,
                            {});
               });
}

void WebClient::start(const WebRequest& request, WebTransport::Done done)
{
    if (!m_transport)
        m_transport = MakeModuleObject<WebTransport>(kNetworkModule, kMakeWebTransport);
    if (!m_transport) {
        QTimer::singleShot(0, this,
                           [done = std::move(done)] { done(TransferOutcome::Failed, {}); });
        return;
    }
    m_transport->Transfer(request, std::move(done));
}

void WebClient::DownloadToFile(const QUrl& url, const QString& file, BodyCheck accept,
                               Finished done)
{
    DownloadConverted(
        url, file,
        [accept = std::move(accept)](const QByteArray& body) -> std::optional<QByteArray> {
            if (accept && !accept(body))
                return std::nullopt;
            return body;
        },
        std::move(done));
}

void WebClient::DownloadConverted(const QUrl& url, const QString& file, Convert convert,
                                  Finished done)
{
    WebRequest request;
    request.url = url;
    transfer(request, [file, convert = std::move(convert),
                       done = std::move(done)](TransferOutcome outcome, const QByteArray& body) {
        if (outcome != TransferOutcome::Done) {
            done(outcome);
            return;
        }
        const std::optional<QByteArray> bytes = convert ? convert(body) : body;
        if (!bytes) {
            done(TransferOutcome::Refused);
            return;
        }
        // The user's data folder does not exist before the first file goes into it.
        QDir().mkpath(QFileInfo(file).absolutePath());
        QSaveFile target(file);
        if (!target.open(QIODevice::WriteOnly) || target.write(*bytes) != bytes->size() ||
            !target.commit()) {
            done(TransferOutcome::CannotWrite);
            return;
        }
        done(TransferOutcome::Done);
    });
}

TransferOutcome WebClient::DownloadToFileAndWait(const QUrl& url, const QString& file,
                                                 BodyCheck accept)
{
    QEventLoop loop;
    std::optional<TransferOutcome> result;
    DownloadToFile(url, file, std::move(accept), [&](TransferOutcome outcome) {
        result = outcome;
        loop.quit();
    });
    if (!result)
        loop.exec();
    return *result;
}

void WebClient::PostForm(const QUrl& url, const QList<std::pair<QString, QString>>& fields,
                         Answered done)
{
    WebRequest request;
    request.url = url;
    request.post = true;
    request.formBody = FormBody(fields);
    transfer(request, std::move(done));
}
