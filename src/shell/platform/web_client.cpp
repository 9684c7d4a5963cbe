#include "web_client.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
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

QNetworkAccessManager& WebClient::manager()
{
    if (!m_manager)
        m_manager = new QNetworkAccessManager(this);
    m_manager->setProxy(m_proxy);
    return *m_manager;
}

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

void WebClient::watch(QNetworkReply* reply, std::function<void(TransferOutcome, QByteArray)> done)
{
    struct State {
        QByteArray body;
        std::optional<TransferOutcome> abortedFor;
    };
    auto state = std::make_shared<State>();
    auto* silence = new QTimer(reply);
    silence->setSingleShot(true);
    silence->setInterval(m_limits.timeoutMs);
    const qint64 cap = m_limits.maxBodyBytes;

    const auto abortFor = [reply, state](TransferOutcome why) {
        if (!state->abortedFor)
            state->abortedFor = why;
        reply->abort();
    };
    connect(silence, &QTimer::timeout, reply, [abortFor] { abortFor(TransferOutcome::TimedOut); });
    connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, cap, abortFor] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > cap)
            abortFor(TransferOutcome::TooLarge);
    });
    connect(reply, &QNetworkReply::readyRead, reply, [reply, state, cap, silence, abortFor] {
        silence->start();
        state->body += reply->read(cap + 1 - state->body.size());
        if (state->body.size() > cap)
            abortFor(TransferOutcome::TooLarge);
    });
    connect(reply, &QNetworkReply::uploadProgress, silence, qOverload<>(&QTimer::start));
    connect(reply, &QNetworkReply::finished, reply, [reply, state, done] {
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

void WebClient::DownloadToFile(const QUrl& url, const QString& file, BodyCheck accept,
                               Finished done)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    watch(manager().get(request), [file, accept = std::move(accept), done = std::move(done)](
                                      TransferOutcome outcome, const QByteArray& body) {
        if (outcome != TransferOutcome::Done) {
            done(outcome);
            return;
        }
        if (accept && !accept(body)) {
            done(TransferOutcome::Refused);
            return;
        }
        QSaveFile target(file);
        if (!target.open(QIODevice::WriteOnly) || target.write(body) != body.size() ||
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
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    watch(manager().post(request, FormBody(fields)), std::move(done));
}
