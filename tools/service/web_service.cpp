#include "web_service.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>
#include <QUrlQuery>

#include <memory>

namespace {

// The paths the program asks for; they bind whatever stands in for the hosts.
const QString kRatePath = QStringLiteral("/Quorvanta/Kursupdate.ashx");
const QString kVersionPath = QStringLiteral("/quorvanta/version.txt");
const QString kReportPath = QStringLiteral("/service/Report.ashx/SendErrorReport");
// The central bank's path, so that a test can point the program's reference rates here.
const QString kReferenceRatesPath = QStringLiteral("/stats/eurofxref/eurofxref-daily.xml");

const QByteArray kTooLarge = "HTTP/1.1 413 Payload Too Large\r\nContent-Length: 0\r\n"
                             "Connection: close\r\n\r\n";

// The declared length of the request whose head starts `bytes`; -1 while the head is not
// complete or declares none.
qint64 declaredLength(const QByteArray& bytes)
{
    const qsizetype end = bytes.indexOf("\r\n\r\n");
    if (end < 0)
        return -1;
    for (const QByteArray& line : bytes.left(end).split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == "content-length") {
            bool ok = false;
            const qint64 length = line.mid(colon + 1).trimmed().toLongLong(&ok);
            return ok ? length : -1;
        }
    }
    return -1;
}

// Sees a connection's bytes before the HTTP server does: a request that declares a body
// over the limit is answered 413 and its body read and dropped as it comes, never kept; a
// connection that sends more than the limit in all is cut.
class GuardedTcpServer : public QTcpServer {
public:
    explicit GuardedTcpServer(qint64 limit) : m_limit(limit) {}

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        struct State {
            qint64 received = 0;
            qint64 toDrop = -1; // bytes of a refused request still to come
        };
        auto state = std::make_shared<State>();
        const qint64 limit = m_limit;
        // Connected before the HTTP server's own handler, so it runs first.
        connect(socket, &QTcpSocket::readyRead, socket, [socket, state, limit] {
            if (state->toDrop < 0) {
                const QByteArray head = socket->peek(64 * 1024);
                if (const qint64 length = declaredLength(head); length > limit) {
                    state->toDrop = head.indexOf("\r\n\r\n") + 4 + length;
                    socket->write(kTooLarge);
                } else {
                    state->received += socket->bytesAvailable();
                    if (state->received > limit + 64 * 1024) {
                        socket->readAll();
                        socket->abort();
                    }
                    return;
                }
            }
            state->toDrop -= socket->skip(socket->bytesAvailable());
            if (state->toDrop <= 0)
                socket->disconnectFromHost();
        });
        addPendingConnection(socket);
    }

private:
    qint64 m_limit;
};

QString formValue(const QUrlQuery& form, const char* field)
{
    return form.queryItemValue(QString::fromLatin1(field), QUrl::FullyDecoded);
}

} // namespace

WebService::WebService(QString folder, ReportStore& store)
    : m_folder(std::move(folder)), m_store(store)
{
    m_server.route(kRatePath, QHttpServerRequest::Method::Get,
                   [this] { return serveFile(QStringLiteral("kurse.txt")); });
    m_server.route(kVersionPath, QHttpServerRequest::Method::Get,
                   [this] { return serveFile(QStringLiteral("version.txt")); });
    m_server.route(kReferenceRatesPath, QHttpServerRequest::Method::Get,
                   [this] { return serveFile(QStringLiteral("eurofxref-daily.xml")); });
    m_server.route(
        kReportPath, QHttpServerRequest::Method::Post, [this](const QHttpServerRequest& request) {
            if (request.body().size() > MaxBodyBytes)
                return QHttpServerResponse(QHttpServerResponder::StatusCode::PayloadTooLarge);
            const ErrorReport report = ReportFromForm(request.body());
            if (report.stack.isEmpty() && report.errorMessage.isEmpty() &&
                report.program.isEmpty() && report.version.isEmpty())
                return QHttpServerResponse(QHttpServerResponder::StatusCode::BadRequest);
            const qint64 id = m_store.Add(report);
            if (id == 0)
                return QHttpServerResponse(QHttpServerResponder::StatusCode::InternalServerError);
            // A non-empty answer tells the program the report was taken.
            return QHttpServerResponse("text/plain", QByteArray("Report ") +
                                                         QByteArray::number(id) +
                                                         " received, thank you.");
        });
}

quint16 WebService::Listen(quint16 port)
{
    auto* tcp = new GuardedTcpServer(MaxBodyBytes);
    if (!tcp->listen(QHostAddress::LocalHost, port)) {
        delete tcp;
        return 0;
    }
    m_server.bind(tcp); // the HTTP server takes it over
    return tcp->serverPort();
}

QHttpServerResponse WebService::serveFile(const QString& name) const
{
    QFile file(QDir(m_folder).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QHttpServerResponse(QHttpServerResponder::StatusCode::NotFound);
    return QHttpServerResponse("text/plain", file.readAll());
}

ErrorReport WebService::ReportFromForm(const QByteArray& body)
{
    // In a form body a "+" stands for a blank; the percent escapes come after.
    QByteArray decoded = body;
    decoded.replace('+', ' ');
    const QUrlQuery form(QString::fromLatin1(decoded));
    ErrorReport report;
    report.stack = formValue(form, "Stack");
    report.errorMessage = formValue(form, "ErrorMessage");
    report.program = formValue(form, "Programm");
    report.version = formValue(form, "Version");
    return report;
}
