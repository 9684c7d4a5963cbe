// The update from the maker's host, against a server of the test's own on 127.0.0.1.
#include "conversion/exchange_rate_file.h"
#include "shell/web_update.h"
#include "support/modal_watchdog.h"
#include "support/scripted_http_server.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using S = ScriptedHttpServer;

QByteArray rateFile(const char* date)
{
    ExchangeRates rates = ParseExchangeRates(QByteArray());
    rates.date = QString::fromLatin1(date);
    return WriteExchangeRates(rates);
}

class Update : public testing::Test {
protected:
    void SetUp() override
    {
        QFile old(folder.filePath(QStringLiteral("kurse.txt")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(rateFile("01.01.2020"));
    }
    WebUpdate::Hooks hooks()
    {
        WebUpdate::Hooks h;
        h.loadRates = [this] { loadedDate = LoadExchangeRates(folder.path()).date; };
        h.searchNewVersion = [this] { return search; };
        h.suspendAlwaysOnTop = [this](bool on) { suspended.append(on); };
        return h;
    }
    void run(const S& server)
    {
        WebHosts hosts;
        hosts.update = server.Base();
        WebUpdate update(client, hosts, folder.path(), QStringLiteral("1.3.6"), hooks());
        update.UpdateExchangeRates(true);
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files); }

    QTemporaryDir folder;
    WebClient client{TransferLimits{2000, 1024 * 1024}};
    bool search = true;
    QString loadedDate;
    QList<bool> suspended;
};

TEST_F(Update, NewRatesAreLoadedAndAnEqualVersionShowsNothing)
{
    S server({{"/Quorvanta/Kursupdate.ashx", S::Answer(200, rateFile("03.02.2026"))},
              {"/quorvanta/version.txt", S::Answer(200, "1.3.6\r\n")}});
    run(server);
    EXPECT_EQ(loadedDate, u"03.02.2026");
    EXPECT_EQ(files(), QStringList{QStringLiteral("kurse.txt")}); // version_temp.txt is gone
    EXPECT_EQ(suspended, (QList<bool>{true, false}));
}

TEST_F(Update, AnErrorPageKeepsTheLastGoodRatesAndNoSearchAsksNothing)
{
    search = false;
    S server(S::Answer(200, "<html>Wartung</html>"));
    run(server);
    EXPECT_EQ(loadedDate, u"01.01.2020");
    EXPECT_EQ(server.paths, QList<QByteArray>{"/Quorvanta/Kursupdate.ashx"});
}

TEST_F(Update, ANewerVersionOffersItsDownloadPage)
{
    S server({{"/Quorvanta/Kursupdate.ashx", S::Answer(200, rateFile("03.02.2026"))},
              {"/quorvanta/version.txt", S::Answer(200, "1.4")}});
    ExpectModalDialog expected;
    QString shown;
    // The dialog opens after both downloads; look for it until it is there.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &poll, [&shown, &poll] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->objectName();
            dialog->reject();
            poll.stop();
        }
    });
    poll.start(10);
    run(server);
    EXPECT_EQ(shown, u"Tfrm_NeueVersion");
    EXPECT_EQ(files(), QStringList{QStringLiteral("kurse.txt")});
}

} // namespace
