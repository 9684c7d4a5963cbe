#include "platform/local_channel.h"

#ifdef Q_OS_UNIX
#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The longest line a client may send before it is hung up on: the request is five bytes.
constexpr qsizetype kMaxRequest = 64;

bool socketAddress(const QString& socketName, sockaddr_un& address)
{
    const QByteArray path = QFile::encodeName(socketName);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

// A Unix-domain stream socket served from the event loop: a later start connects, writes the
// request line and waits until this side hangs up.
class UnixChannel : public LocalChannel {
public:
    ~UnixChannel() override
    {
        for (auto& [fd, client] : m_clients) {
            delete client.notifier;
            ::close(fd);
        }
        if (m_listener >= 0) {
            delete m_listenerNotifier;
            ::close(m_listener);
            ::unlink(m_path.constData());
        }
    }

    bool Listen(const QString& socketName, std::function<void()> showRequested) override
    {
        sockaddr_un address;
        if (m_listener >= 0 || !socketAddress(socketName, address))
            return false;
        const int fd = newSocket();
        if (fd < 0)
            return false;
        // The caller holds the instance lock: a socket of this name is a killed instance's.
        ::unlink(address.sun_path);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, 8) != 0) {
            ::close(fd);
            return false;
        }
        m_listener = fd;
        m_path = address.sun_path;
        m_showRequested = std::move(showRequested);
        m_listenerNotifier = new QSocketNotifier(fd, QSocketNotifier::Read);
        QObject::connect(m_listenerNotifier, &QSocketNotifier::activated, m_listenerNotifier,
                         [this] { acceptAll(); });
        return true;
    }

    bool AskToShow(const QString& socketName, int timeoutMs) override
    {
        sockaddr_un address;
        if (!socketAddress(socketName, address))
            return false;
        // The first instance holds the lock a while before it listens: try until the time
        // is up.
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            const int fd = newSocket();
            if (fd < 0)
                return false;
            if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                const bool sent = sendAll(fd, kShowRequest, deadline);
                if (sent)
                    waitForHangUp(fd, deadline);
                ::close(fd);
                return sent;
            }
            ::close(fd);
            QThread::msleep(50);
        }
        return false;
    }

private:
    struct Client {
        QSocketNotifier* notifier = nullptr;
        QByteArray line;
    };

    static int remainingMs(const QDeadlineTimer& deadline)
    {
        return int(std::max<qint64>(1, deadline.remainingTime()));
    }

    static bool sendAll(int fd, const char* text, const QDeadlineTimer& deadline)
    {
        size_t left = std::strlen(text);
        while (left > 0) {
            const ssize_t n = ::send(fd, text, left, MSG_NOSIGNAL);
            if (n > 0) {
                text += n;
                left -= size_t(n);
            } else if (n < 0 && errno == EAGAIN && !deadline.hasExpired()) {
                pollfd p{fd, POLLOUT, 0};
                ::poll(&p, 1, remainingMs(deadline));
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else {
                return false;
            }
        }
        return true;
    }

    static void waitForHangUp(int fd, const QDeadlineTimer& deadline)
    {
        char ignored[16];
        while (!deadline.hasExpired()) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, remainingMs(deadline)) <= 0)
                continue;
            const ssize_t n = ::recv(fd, ignored, sizeof ignored, 0);
            if (n == 0 || (n < 0 && errno != EINTR && errno != EAGAIN))
                return;
        }
    }

    void acceptAll()
    {
        for (;;) {
            const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0)
                return;
            auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
            m_clients[fd].notifier = notifier;
            QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                             [this, fd] { read(fd); });
        }
    }

    // Reads what a client sent so far; a whole line (or a client that says too much or
    // hangs up) ends the conversation.
    void read(int fd)
    {
        const auto it = m_clients.find(fd);
        if (it == m_clients.end())
            return;
        Client& client = it->second;
        char buffer[kMaxRequest];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (n > 0)
            client.line.append(buffer, n);
        const qsizetype end = client.line.indexOf('\n');
        if (n > 0 && end < 0 && client.line.size() < kMaxRequest)
            return;
        const bool asked = end >= 0 && client.line.left(end + 1) == kShowRequest;
        client.notifier->setEnabled(false);
        client.notifier->deleteLater();
        m_clients.erase(it);
        ::close(fd);
        if (asked && m_showRequested)
            m_showRequested();
    }

    int m_listener = -1;
    QByteArray m_path;
    QSocketNotifier* m_listenerNotifier = nullptr;
    std::map<int, Client> m_clients;
    std::function<void()> m_showRequested;
};

} // namespace

std::unique_ptr<LocalChannel> MakeLocalChannel()
{
    return std::make_unique<UnixChannel>();
}

#else

#include "platform/modules/network_module.h"
#include "platform/program_module.h"

std::unique_ptr<LocalChannel> MakeLocalChannel()
{
    return MakeModuleObject<LocalChannel>(kNetworkModule, kMakeLocalChannel);
}

#endif
