#include "report_store.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

ReportStore::ReportStore(const QString& file)
    : m_connection(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    if (!db.open()) {
        m_error = db.lastError().text();
        return;
    }
    QSqlQuery create(db);
    if (!create.exec(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS reports (id INTEGER PRIMARY KEY AUTOINCREMENT, "
            "received TEXT NOT NULL, stack TEXT, error_message TEXT, program TEXT, version "
            "TEXT)"))) {
        m_error = create.lastError().text();
        return;
    }
    m_open = true;
}

ReportStore::~ReportStore()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

qint64 ReportStore::Add(const ErrorReport& report)
{
    if (!m_open)
        return 0;
    QSqlQuery insert(QSqlDatabase::database(m_connection));
    insert.prepare(QStringLiteral("INSERT INTO reports (received, stack, error_message, program, "
                                  "version) VALUES (?, ?, ?, ?, ?)"));
    insert.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODate));
    insert.addBindValue(report.stack);
    insert.addBindValue(report.errorMessage);
    insert.addBindValue(report.program);
    insert.addBindValue(report.version);
    if (!insert.exec())
        return 0;
    return insert.lastInsertId().toLongLong();
}

QList<ErrorReport> ReportStore::All() const
{
    QList<ErrorReport> out;
    if (!m_open)
        return out;
    QSqlQuery select(QSqlDatabase::database(m_connection));
    select.exec(QStringLiteral(
        "SELECT id, received, stack, error_message, program, version FROM reports ORDER BY id"));
    while (select.next())
        out.append({select.value(0).toLongLong(), select.value(1).toString(),
                    select.value(2).toString(), select.value(3).toString(),
                    select.value(4).toString(), select.value(5).toString()});
    return out;
}
