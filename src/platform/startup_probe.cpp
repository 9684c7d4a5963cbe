#include "platform/startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {
// Every file the process has mapped at this moment, once each: the libraries the start loaded.
void printMappedFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    QSet<QByteArray> seen;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype path = line.indexOf('/');
        if (path < 0)
            continue;
        const QByteArray file = line.mid(path);
        if (!seen.contains(file)) {
            seen.insert(file);
            std::printf("mapped %s\n", file.constData());
        }
    }
}

class FirstPaintWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A minimised window is painted for the task bar, but nobody sees it yet.
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && !m_seen && !window->isMinimized()) {
            m_seen = true;
            // Report once the paint has been handled and the frame is out.
            QTimer::singleShot(0, this, [] {
                std::printf("shown %ld\n", ResidentKilobytes());
                if (qgetenv("QUORVANTA_STARTUP_PROBE") == "maps")
                    printMappedFiles();
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};
} // namespace

void WatchFirstPaint(QWidget* window)
{
    if (qEnvironmentVariableIsEmpty("QUORVANTA_STARTUP_PROBE"))
        return;
    window->installEventFilter(new FirstPaintWatcher(window));
}

long ResidentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}
