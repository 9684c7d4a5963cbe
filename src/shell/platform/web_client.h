// Downloads and form posts to the maker's hosts, on Qt's asynchronous network calls.
//
// Every transfer has a time-out (no data for that long ends it) and a cap on the body's
// size. A download writes its target file only after the whole transfer succeeded with
// HTTP 200 and the caller's check of the body passed: through a temporary file that is
// renamed into place, so a failed, cut-off or refused download leaves the old file as it
// was and nothing behind.
#pragma once

#include <QByteArray>
#include <QList>
#include <QNetworkProxy>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>
#include <utility>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// Where the update host and the report host are. Both default to the stand-in service on
// this machine, so nothing leaves it unless the user names a host ("UpdateHost",
// "ReportHost" in the settings).
struct WebHosts {
    static constexpr const char* DefaultHost = "http://localhost:8470";
    QUrl update{QString::fromLatin1(DefaultHost)};
    QUrl report{QString::fromLatin1(DefaultHost)};

    // A host's base with `path` appended ("/Quorvanta/Kursupdate.ashx").
    static QUrl At(const QUrl& base, const QString& path);
};

enum class TransferOutcome {
    Done,
    Failed,      // no connection, or the connection broke
    HttpError,   // an answer other than 200
    TimedOut,    // no data within the time-out
    TooLarge,    // the body passed the size cap
    Refused,     // the body did not pass the caller's check
    CannotWrite, // the target file could not be written
};

struct TransferLimits {
    int timeoutMs = 10000;
    qint64 maxBodyBytes = 1024 * 1024;
};

class WebClient : public QObject {
    Q_OBJECT
public:
    explicit WebClient(TransferLimits limits = {}, QObject* parent = nullptr);
    ~WebClient() override;

    void SetProxy(const QNetworkProxy& proxy) { m_proxy = proxy; }
    void SetLimits(TransferLimits limits) { m_limits = limits; }

    using BodyCheck = std::function<bool(const QByteArray& body)>;
    using Finished = std::function<void(TransferOutcome outcome)>;
    using Answered = std::function<void(TransferOutcome outcome, const QByteArray& answer)>;

    // GETs `url` into `file`; `done` runs once, on the main thread, after the event loop
    // has carried the transfer. Input keeps working meanwhile.
    void DownloadToFile(const QUrl& url, const QString& file, BodyCheck accept, Finished done);
    // The same, waiting in a local event loop (a button's download, while a notice shows).
    TransferOutcome DownloadToFileAndWait(const QUrl& url, const QString& file, BodyCheck accept);

    // POSTs the fields form-encoded ("a=1&b=x%20y"); `done` gets the answer's body.
    void PostForm(const QUrl& url, const QList<std::pair<QString, QString>>& fields, Answered done);

    // "application/x-www-form-urlencoded": every name and value percent-encoded.
    static QByteArray FormBody(const QList<std::pair<QString, QString>>& fields);

private:
    QNetworkAccessManager& manager();
    void watch(QNetworkReply* reply, std::function<void(TransferOutcome, QByteArray)> done);

    TransferLimits m_limits;
    QNetworkProxy m_proxy{QNetworkProxy::NoProxy};
    // Made on the first transfer: a start without one loads no network stack.
    QNetworkAccessManager* m_manager = nullptr;
};
