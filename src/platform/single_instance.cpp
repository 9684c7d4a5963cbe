#include "platform/single_instance.h"

#include "platform/local_channel.h"
#include "platform/modules/network_module.h"
#include "platform/program_module.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QLockFile>
#endif

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

// The running instance's hold on its lock file.
class InstanceLock {
public:
    enum class Outcome { Taken, HeldByAnother, Unavailable };
#ifdef Q_OS_UNIX
    // An advisory lock on the file: the system drops it with the process, so a killed start
    // leaves nothing stale behind, and taking it writes nothing to the disk.
    explicit InstanceLock(const QString& path) : m_path(QFile::encodeName(path)) {}
    ~InstanceLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Outcome Take()
    {
        const int fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return Outcome::Unavailable;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return Outcome::Taken;
        }
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Outcome::HeldByAnother : Outcome::Unavailable;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
#else
    // A lock file naming the process; one whose process is gone is stale and taken over.
    explicit InstanceLock(const QString& path) : m_lock(path)
    {
        m_lock.setStaleLockTime(0);
    }
    Outcome Take()
    {
        if (m_lock.tryLock(0))
            return Outcome::Taken;
        return m_lock.error() == QLockFile::LockFailedError ? Outcome::HeldByAnother
                                                            : Outcome::Unavailable;
    }

private:
    QLockFile m_lock;
#endif
};

SingleInstance::SingleInstance(const QString& name, const QString& folder, QObject* parent)
    : QObject(parent)
{
    const QString place = folderOrRuntime(folder);
    m_socketName = socketNameFor(name, place);
    m_lock = std::make_unique<InstanceLock>(place + u'/' + name + QStringLiteral(".lock"));
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Claim()
{
    // Only another instance's lock keeps this one from starting; a lock that cannot be made
    // (no runtime folder, no permission) must not.
    const InstanceLock::Outcome outcome = m_lock->Take();
    m_claimed = outcome == InstanceLock::Outcome::Taken;
    return outcome != InstanceLock::Outcome::HeldByAnother;
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
