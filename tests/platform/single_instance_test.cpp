// Two real starts of the program, on the offscreen platform, with their own settings and
// runtime folders. With QUORVANTA_STARTUP_PROBE set a start writes "shown …" once its main
// window is painted, and ends.
#include "platform/local_channel.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

class TwoStarts : public testing::Test {
protected:
    QProcessEnvironment environment(bool probe) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.path());
        if (probe)
            env.insert(QStringLiteral("QUORVANTA_STARTUP_PROBE"), QStringLiteral("1"));
        else
            env.remove(QStringLiteral("QUORVANTA_STARTUP_PROBE"));
        return env;
    }
    void start(QProcess& process, bool probe, const QStringList& arguments = {})
    {
        process.setProcessEnvironment(environment(probe));
        process.start(QStringLiteral(QUORVANTA_EXECUTABLE), arguments);
        ASSERT_TRUE(process.waitForStarted(5000));
    }
    // The first start listens once its socket is there.
    bool waitUntilListening() const
    {
        for (int i = 0; i < 200; ++i) {
            if (QFile::exists(m_dir.filePath(QStringLiteral("Quorvanta.socket"))))
                return true;
            QThread::msleep(25);
        }
        return false;
    }
    static QByteArray shown(QProcess& process)
    {
        QByteArray out;
        while (!out.contains('\n') && process.waitForReadyRead(10000))
            out += process.readAllStandardOutput();
        return out;
    }

    QTemporaryDir m_dir;
};

TEST_F(TwoStarts, ASecondStartShowsTheHiddenFirstAndEnds)
{
    QProcess first, second;
    start(first, true, {QStringLiteral("WinStart")});
    ASSERT_TRUE(waitUntilListening());
    // Hidden (minimised where there is no notification area, as here) it is not shown yet.
    EXPECT_FALSE(first.waitForFinished(1000)) << "the hidden first start counted as shown";
    start(second, true);
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty()); // it showed no window of its own
    EXPECT_TRUE(shown(first).startsWith("shown ")) << "the first start never showed its window";
    first.waitForFinished(5000);
}

TEST_F(TwoStarts, TheLockOfAKilledStartDoesNotBlock)
{
    QProcess killed, next;
    start(killed, false);
    ASSERT_TRUE(waitUntilListening());
    killed.kill();
    killed.waitForFinished(5000);
    ASSERT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("Quorvanta.lock"))));
    start(next, true);
    EXPECT_TRUE(shown(next).startsWith("shown "));
    next.waitForFinished(5000);
}

// Anyone of the user's may connect: only the exact request shows the window, and whatever a
// client sends, it is hung up on rather than kept waiting.
TEST(LocalChannel, OnlyTheShowRequestShowsAndEveryClientIsHungUpOn)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("q.socket"));
    const auto channel = MakeLocalChannel();
    int shown = 0;
    ASSERT_TRUE(channel->Listen(path, [&shown] { ++shown; }));

    const QByteArray requests[] = {"junk\n", QByteArray(200, 'x'), "show", "show\n"};
    std::atomic<int> hungUp = 0;
    std::atomic<bool> done = false;
    std::thread clients([&] {
        for (const QByteArray& request : requests) {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, QFile::encodeName(path).constData(),
                     sizeof address.sun_path);
            if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                ::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
                if (request == "show")
                    ::shutdown(fd, SHUT_WR); // an unfinished line, then the client's end
                pollfd p{fd, POLLIN, 0};
                char c;
                if (::poll(&p, 1, 5000) == 1 && ::recv(fd, &c, 1, 0) <= 0)
                    ++hungUp;
            }
            ::close(fd);
        }
        done = true;
    });
    EXPECT_TRUE(QTest::qWaitFor([&done] { return done.load(); }, 30000));
    clients.join();
    EXPECT_EQ(hungUp, 4);
    EXPECT_EQ(shown, 1);
}

} // namespace
