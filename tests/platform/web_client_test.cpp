// Downloads and posts against servers on 127.0.0.1: the target file changes only after a
// good transfer, whatever goes wrong on the way.
#include "platform/web_client.h"
#include "support/running_service.h"
#include "support/scripted_http_server.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QByteArray kGoodFile = "Stand: 03.02.2026\r\nAUD;0,6\r\n";
const QByteArray kOldFile = "Stand: 01.01.2020\r\n";

class Download : public testing::Test {
protected:
    void SetUp() override
    {
        QFile old(target());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(kOldFile);
    }
    QString target() const { return m_folder.filePath(QStringLiteral("kurse.txt")); }
    QByteArray targetBytes() const
    {
        QFile file(target());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Nothing but the target file is left in the folder.
    QStringList leftovers() const
    {
        QStringList files = QDir(m_folder.path()).entryList(QDir::Files);
        files.removeAll(QStringLiteral("kurse.txt"));
        return files;
    }
    TransferOutcome fetch(const QUrl& base, WebClient::BodyCheck accept = {})
    {
        return client.DownloadToFileAndWait(
            WebHosts::At(base, QStringLiteral("/Quorvanta/Kursupdate.ashx")), target(), accept);
    }

    QTemporaryDir m_folder;
    WebClient client{TransferLimits{.timeoutMs = 1500, .deadlineMs = 3000}};
};

TEST_F(Download, AGoodTransferFromTheServiceReplacesTheFile)
{
    RunningService service;
    ASSERT_TRUE(service.IsRunning());
    QFile served(QDir(service.Folder()).filePath(QStringLiteral("kurse.txt")));
    ASSERT_TRUE(served.open(QIODevice::WriteOnly));
    served.write(kGoodFile);
    served.close();
    EXPECT_EQ(fetch(QUrl(service.Base())), TransferOutcome::Done);
    EXPECT_EQ(targetBytes(), kGoodFile);
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(Download, EveryFailureLeavesTheOldFileAndNothingBehind)
{
    using S = ScriptedHttpServer;
    const QByteArray cutOff = "HTTP/1.1 200 OK\r\nContent-Length: 5000\r\n\r\nStand: 03.0";
    struct Case {
        const char* name;
        QByteArray answer;
        S::Ending ending;
        TransferOutcome outcome;
    } cases[] = {
        {"ServerError", S::Answer(500, "<html>Server Error</html>", "Error"), S::Ending::Close,
         TransferOutcome::HttpError},
        {"NotFound", S::Answer(404, "<html>Not Found</html>", "Not Found"), S::Ending::Close,
         TransferOutcome::HttpError},
        {"TenMegabytes", S::Answer(200, QByteArray(10 * 1024 * 1024, 'x')), S::Ending::Close,
         TransferOutcome::TooLarge},
        {"CutOffHalfWay", cutOff, S::Ending::Close, TransferOutcome::Failed},
        {"NeverAnswers", QByteArray(), S::Ending::KeepOpen, TransferOutcome::TimedOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        S server(c.answer, c.ending);
        EXPECT_EQ(fetch(server.Base()), c.outcome);
        EXPECT_EQ(targetBytes(), kOldFile);
        EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(u' ').toStdString();
    }
    // A port nobody listens on.
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost, 0);
    const QUrl refused(QStringLiteral("http://127.0.0.1:%1").arg(closed.serverPort()));
    closed.close();
    EXPECT_EQ(fetch(refused), TransferOutcome::Failed);
    // A host that trickles a byte every 200 ms is never silent for the time-out; the deadline
    // ends it all the same.
    QTcpServer trickle;
    trickle.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&trickle, &QTcpServer::newConnection, &trickle, [&trickle] {
        QTcpSocket* socket = trickle.nextPendingConnection();
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n");
        auto* drip = new QTimer(socket);
        QObject::connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        drip->start(200);
    });
    EXPECT_EQ(fetch(QUrl(QStringLiteral("http://127.0.0.1:%1").arg(trickle.serverPort()))),
              TransferOutcome::TimedOut);
    EXPECT_EQ(targetBytes(), kOldFile);
    // A body that is no rate file is refused by the caller's check.
    S errorPage(S::Answer(200, "<html>Wartungsarbeiten</html>"));
    EXPECT_EQ(
        fetch(errorPage.Base(), [](const QByteArray& body) { return body.startsWith("Stand"); }),
        TransferOutcome::Refused);
    EXPECT_EQ(targetBytes(), kOldFile);
}

TEST(Post, SendsTheFieldsFormEncodedAndReturnsTheAnswer)
{
    EXPECT_EQ(WebClient::FormBody({{QStringLiteral("Stack"), QStringLiteral("a +b&c")},
                                   {QStringLiteral("Version"), QStringLiteral("0.1")}}),
              "Stack=a%20%2Bb%26c&Version=0.1");
    RunningService service;
    ASSERT_TRUE(service.IsRunning());
    WebClient client;
    QEventLoop loop;
    TransferOutcome outcome = TransferOutcome::Failed;
    QByteArray answer;
    client.PostForm(
        WebHosts::At(QUrl(service.Base()), QStringLiteral("/service/Report.ashx/SendErrorReport")),
        {{QStringLiteral("Stack"), QStringLiteral("x")},
         {QStringLiteral("ErrorMessage"), QStringLiteral("y")},
         {QStringLiteral("Programm"), QStringLiteral("Quorvanta")},
         {QStringLiteral("Version"), QStringLiteral("0.1.0")}},
        [&](TransferOutcome o, const QByteArray& a) {
            outcome = o;
            answer = a;
            loop.quit();
        });
    loop.exec();
    EXPECT_EQ(outcome, TransferOutcome::Done);
    EXPECT_FALSE(answer.isEmpty());
}

} // namespace
