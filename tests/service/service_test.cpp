// quorvanta-service as the program meets it: over HTTP on 127.0.0.1, and its command line.
#include "support/running_service.h"
#include "support/test_files.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <gtest/gtest.h>

namespace {

struct Answer {
    int status = 0;
    QByteArray body;
};

Answer request(const QString& url, const QByteArray* post = nullptr)
{
    QNetworkAccessManager manager;
    QNetworkRequest request{QUrl(url)};
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(5000);
    QNetworkReply* reply = post ? manager.post(request, *post) : manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                  reply->readAll()};
    reply->deleteLater();
    return answer;
}

TEST(Service, ServesTheFilesAndStoresReports)
{
    RunningService service;
    ASSERT_TRUE(service.IsRunning());
    writeFile(service.Folder() + QStringLiteral("/kurse.txt"), "Stand: 03.02.2026\r\nAUD;0,6\r\n");
    writeFile(service.Folder() + QStringLiteral("/version.txt"), "1.4.0");

    EXPECT_EQ(request(service.Base() + QStringLiteral("/Quorvanta/Kursupdate.ashx")).body,
              "Stand: 03.02.2026\r\nAUD;0,6\r\n");
    EXPECT_EQ(request(service.Base() + QStringLiteral("/quorvanta/version.txt")).body, "1.4.0");
    EXPECT_EQ(request(service.Base() + QStringLiteral("/quorvanta/nothing.txt")).status, 404);

    // Form encoding: every value percent-encoded, "+" included.
    QByteArray body;
    for (const auto& [field, value] : {std::pair{"Stack", "main\nProgramMain +0x12"},
                                       {"ErrorMessage", "Zugriffsverletzung & Größe"},
                                       {"Programm", "Quorvanta"},
                                       {"Version", "0.1.0"}})
        body += QByteArray(body.isEmpty() ? "" : "&") + field + '=' +
                QUrl::toPercentEncoding(QString::fromUtf8(value));
    const Answer receipt =
        request(service.Base() + QStringLiteral("/service/Report.ashx/SendErrorReport"), &body);
    EXPECT_EQ(receipt.status, 200);
    EXPECT_FALSE(receipt.body.isEmpty());

    const QString listed = RunningService::Run(
        {QStringLiteral("--database"), service.Database(), QStringLiteral("--list-reports")});
    EXPECT_TRUE(listed.contains(QStringLiteral("ErrorMessage: Zugriffsverletzung & Größe")))
        << listed.toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("Programm: Quorvanta")));
    EXPECT_TRUE(listed.contains(QStringLiteral("ProgramMain +0x12")));
}

TEST(Service, RefusesBodiesOverOneMegabyteAndEmptyReportsAndKeepsServing)
{
    RunningService service;
    ASSERT_TRUE(service.IsRunning());
    const QString report = service.Base() + QStringLiteral("/service/Report.ashx/SendErrorReport");
    const QByteArray huge = "Stack=" + QByteArray(2 * 1024 * 1024, 'x');
    EXPECT_EQ(request(report, &huge).status, 413);
    const QByteArray empty;
    EXPECT_EQ(request(report, &empty).status, 400);
    const QByteArray emptyFields = "Stack=&ErrorMessage=&Programm=&Version=";
    EXPECT_EQ(request(report, &emptyFields).status, 400);
    // Just under the limit is taken, and the service still answers.
    const QByteArray large = "Stack=" + QByteArray(1000 * 1000, 'y');
    EXPECT_EQ(request(report, &large).status, 200);
    writeFile(service.Folder() + QStringLiteral("/eurofxref-daily.xml"), "<Cube/>");
    EXPECT_EQ(request(service.Base() + QStringLiteral("/stats/eurofxref/eurofxref-daily.xml")).body,
              "<Cube/>");
    const QString listed = RunningService::Run(
        {QStringLiteral("--database"), service.Database(), QStringLiteral("--list-reports")});
    EXPECT_EQ(listed.count(QStringLiteral("Report ")), 1) << listed.left(300).toStdString();
}

TEST(Service, ImportsReferenceRatesIntoTheFolder)
{
    QTemporaryDir folder;
    const QString xml = folder.filePath(QStringLiteral("rates.xml"));
    writeFile(xml, R"(<Envelope><Cube><Cube time="2026-02-03">
        <Cube currency="USD" rate="1.25"/></Cube></Cube></Envelope>)");
    int exitCode = -1;
    RunningService::Run(
        {QStringLiteral("--import-rates"), xml, QStringLiteral("--folder"), folder.path()},
        &exitCode);
    EXPECT_EQ(exitCode, 0);
    QFile written(folder.filePath(QStringLiteral("kurse.txt")));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(bytes.startsWith("Stand: 03.02.2026\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nUSD;0,8\r\n"));

    RunningService::Run({QStringLiteral("--import-rates"),
                         folder.filePath(QStringLiteral("none.xml")), QStringLiteral("--folder"),
                         folder.path()},
                        &exitCode);
    EXPECT_EQ(exitCode, 1);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
