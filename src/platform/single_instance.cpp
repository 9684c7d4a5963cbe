#include "platform/single_instance.h"

#include "platform/local_channel.h"
#include "platform/modules/network_module.h"
#include "platform/program_module.h"

#include <QDir>
#include <QStandardPaths>

namespace {
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
        m_claimed = true;
        return true;
    }
    // Only another instance's lock keeps this one from starting; a lock that cannot be made
    // (no runtime folder, no permission) must not.
    return m_lock.error() != QLockFile::LockFailedError;
}

void SingleInstance::Listen()
{
    if (!m_claimed || m_channel)
        return;
    m_channel = MakeLocalChannel();
    if (m_channel)
        m_channel->Listen(m_socketName, [this] { emit ShowRequested(); });
}

bool SingleInstance::AskFirstToShow(int timeoutMs)
{
    const auto channel = MakeLocalChannel();
    return channel && channel->AskToShow(m_socketName, timeoutMs);
}
