#include "web_service.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <QUrlQuery>

namespace {

// The paths the program asks for; they bind whatever stands in for the hosts.
const QString kRatePath = QStringLiteral("/Quorvanta/Kursupdate.ashx");
const QString kVersionPath = QStringLiteral("/quorvanta/version.txt");
const QString kReportPath = QStringLiteral("/service/Report.ashx/SendErrorReport");

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
    m_server.route(
        kReportPath, QHttpServerRequest::Method::Post, [this](const QHttpServerRequest& request) {
            const qint64 id = m_store.Add(ReportFromForm(request.body()));
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
    return m_server.listen(QHostAddress::LocalHost, port);
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
