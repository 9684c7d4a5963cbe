// Downloads and form posts to the maker's hosts, on Qt's asynchronous network calls (in the
// module quorvanta_network; without the module every transfer fails as if unconnected).
//
// Every transfer has a time-out (no data for that long ends it) and a cap on the body's
// size. A download writes its target file only after the whole transfer succeeded with
// HTTP 200 and the caller's check of the body passed: through a temporary file that is
// renamed into place, so a failed, cut-off or refused download leaves the old file as it
// was and nothing behind.
#pragma once

#include "platform/modules/network_module.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

// Where the rates come from and where reports go. The rates are the European Central Bank's
// daily euro reference rates unless the settings name an update host ("UpdateHost"), which
// then serves "kurse.txt" and the version file. The report host defaults to the stand-in
// service on this machine ("ReportHost" names another).
struct WebHosts {
    static constexpr const char* DefaultHost = "http://localhost:8470";
    static constexpr const char* ReferenceRatesAddress =
        "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";
    QUrl update; // empty: no update host, and no version check
    QUrl referenceRates{QString::fromLatin1(ReferenceRatesAddress)};
    QUrl report{QString::fromLatin1(DefaultHost)};

    // A host's base with `path` appended ("/Quorvanta/Kursupdate.ashx").
    static QUrl At(const QUrl& base, const QString& path);
};

class WebClient : public QObject {
    Q_OBJECT
public:
    explicit WebClient(TransferLimits limits = {}, QObject* parent = nullptr);
    ~WebClient() override;

    void SetProxy(std::optional<ProxyAddress> proxy) { m_proxy = std::move(proxy); }
    void SetLimits(TransferLimits limits) { m_limits = limits; }

    using BodyCheck = std::function<bool(const QByteArray& body)>;
    // The bytes to store for a body, or nothing when the body is refused.
    using Convert = std::function<std::optional<QByteArray>(const QByteArray& body)>;
    using Finished = std::function<void(TransferOutcome outcome)>;
    using Answered = std::function<void(TransferOutcome outcome, const QByteArray& answer)>;

    // GETs `url` into `file`; `done` runs once, on the main thread, after the event loop
    // has carried the transfer. Input keeps working meanwhile.
    void DownloadToFile(const QUrl& url, const QString& file, BodyCheck accept, Finished done);
    // The same, storing what `convert` makes of the body (a rate file from an XML, say).
    void DownloadConverted(const QUrl& url, const QString& file, Convert convert, Finished done);
    // The same, waiting in a local event loop (a button's download, while a notice shows).
    TransferOutcome DownloadToFileAndWait(const QUrl& url, const QString& file, BodyCheck accept);

    // POSTs the fields form-encoded ("a=1&b=x%20y"); `done` gets the answer's body.
    void PostForm(const QUrl& url, const QList<std::pair<QString, QString>>& fields, Answered done);

    // "application/x-www-form-urlencoded": every name and value percent-encoded.
    static QByteArray FormBody(const QList<std::pair<QString, QString>>& fields);

private:
    void transfer(WebRequest request, WebTransport::Done done);
    void start(const WebRequest& request, WebTransport::Done done);

    TransferLimits m_limits;
    std::optional<ProxyAddress> m_proxy;
    // Made on the first transfer: a start without one loads no network stack.
    std::unique_ptr<WebTransport> m_transport;
};
