// Error reports the service has received, kept in an SQLite database: one row per post
// with the four form fields of the report.
#pragma once

#include <QList>
#include <QString>

struct ErrorReport {
    qint64 id = 0;
    QString received; // when it arrived, ISO date and time (UTC)
    QString stack;
    QString errorMessage;
    QString program;
    QString version;
};

class ReportStore {
public:
    // Opens (and creates when missing) the database file; Error() tells why it failed.
    explicit ReportStore(const QString& file);
    ~ReportStore();
    ReportStore(const ReportStore&) = delete;
    ReportStore& operator=(const ReportStore&) = delete;

    bool IsOpen() const { return m_open; }
    QString Error() const { return m_error; }

    // Stores a report; its id, or 0 when it could not be stored.
    qint64 Add(const ErrorReport& report);
    QList<ErrorReport> All() const;

private:
    QString m_connection;
    bool m_open = false;
    QString m_error;
};
