#include "single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

namespace {
const QByteArray kShowRequest = "show\n";

QString folderOrRuntime(const QString& folder)
{
    if (!folder.isEmpty())
        return folder;
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString socketNameFor(const QString& name, const QString& folder)
{
#ifdef Q_OS_WIN
    // Pipe names are global: the user's name keeps one instance per user.
    return name + u'-' + qEnvironmentVariable("USERNAME");
#else
    return folder + u'/' + name + QStringLiteral(".socket");
#endif
}
} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent), m_socketName(socketNameFor(name, folderOrRuntime(folder))),
      m_lock(folderOrRuntime(folder) + u'/' + name + QStringLiteral(".lock"))
{
    // The lock never ages: only a lock whose process is gone is stale.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Claim()
{
    if (m_lock.tryLock(0)) {
        listen();
        return true;
    }
    // Only another instance's lock keeps this one from starting; a lock that cannot be made
    // (no runtime folder, no permission) must not.
    return m_lock.error() != QLockFile::LockFailedError;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a killed instance would refuse the name.
    QLocalServer::removeServer(m_socketName);
    if (!m_server->listen(m_socketName))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            const auto read = [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == kShowRequest)
                    emit ShowRequested();
                socket->disconnectFromServer();
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            read();
        }
    });
}

bool SingleInstance::AskFirstToShow(int timeoutMs)
{
    // The first instance may hold the lock a moment before it listens: try until the time
    // is up.
    const QDeadlineTimer deadline(timeoutMs);
    const auto remaining = [&deadline] {
        return int(std::max<qint64>(1, deadline.remainingTime()));
    };
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketName);
        if (socket.waitForConnected(remaining())) {
            socket.write(kShowRequest);
            const bool sent = socket.waitForBytesWritten(remaining());
            // The first instance hangs up once it has read the request.
            socket.waitForDisconnected(remaining());
            return sent;
        }
        QThread::msleep(50);
    }
    return false;
}
