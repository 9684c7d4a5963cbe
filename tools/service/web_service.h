// quorvanta-service: a small real HTTP service that stands in for the maker's hosts. It
// serves the rate file and the version file from a folder and stores posted error reports.
#pragma once

#include "report_store.h"

#include <QHttpServer>
#include <QString>

#include <memory>

class WebService {
public:
    static constexpr quint16 DefaultPort = 8470;

    // `folder` holds "kurse.txt" and "version.txt"; reports go into `store`.
    WebService(QString folder, ReportStore& store);

    // Listens on 127.0.0.1; the port it got (for `port` 0 a free one), or 0 on failure.
    quint16 Listen(quint16 port);

    // The fields of an "application/x-www-form-urlencoded" body.
    static ErrorReport ReportFromForm(const QByteArray& body);

private:
    QHttpServerResponse serveFile(const QString& name) const;

    QString m_folder;
    ReportStore& m_store;
    QHttpServer m_server;
};
