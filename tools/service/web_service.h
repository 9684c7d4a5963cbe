// quorvanta-service: a small real HTTP service that stands in for the maker's hosts. It
// serves the rate file, the version file and the reference-rate XML from a folder and stores
// posted error reports (at most 1 MB each; an empty one is refused with 400).
#pragma once

#include "report_store.h"

#include <QHttpServer>
#include <QString>

#include <memory>

class WebService {
public:
    static constexpr quint16 DefaultPort = 8470;
    // A larger request body is refused with 413 and never kept.
    static constexpr qint64 MaxBodyBytes = 1024 * 1024;

    // `folder` holds "kurse.txt", "version.txt" and "eurofxref-daily.xml"; reports go into
    // `store`.
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
