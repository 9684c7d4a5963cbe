// quorvanta-service started for a test on a free port of 127.0.0.1, stopped at the end.
#pragma once

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

class RunningService {
public:
    // Serves the files of Folder() and keeps reports in a database inside it.
    RunningService()
    {
        m_process.setProgram(QStringLiteral(QUORVANTA_SERVICE));
        m_process.setArguments({QStringLiteral("--port"), QStringLiteral("0"),
                                QStringLiteral("--folder"), m_folder.path(),
                                QStringLiteral("--database"), Database()});
        m_process.start();
        // The service says which port it got on its first line.
        const QRegularExpression listening(QStringLiteral("listening on (http://\\S+)"));
        while (m_process.waitForReadyRead(5000)) {
            m_output += QString::fromUtf8(m_process.readAllStandardOutput());
            if (const auto match = listening.match(m_output); match.hasMatch()) {
                m_base = match.captured(1);
                break;
            }
        }
    }
    ~RunningService()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool IsRunning() const { return !m_base.isEmpty(); }
    QString Base() const { return m_base; } // "http://127.0.0.1:PORT"
    QString Folder() const { return m_folder.path(); }
    QString Database() const
    {
        return QDir(m_folder.path()).filePath(QStringLiteral("reports.sqlite"));
    }

    // Runs the service binary once with `arguments` and returns what it printed.
    static QString Run(const QStringList& arguments, int* exitCode = nullptr)
    {
        QProcess run;
        run.start(QStringLiteral(QUORVANTA_SERVICE), arguments);
        run.waitForFinished(10000);
        if (exitCode)
            *exitCode = run.exitCode();
        return QString::fromUtf8(run.readAllStandardOutput());
    }

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    QString m_output;
    QString m_base;
};
