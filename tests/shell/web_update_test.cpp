// The update from the maker's host, against a server of the test's own on 127.0.0.1.
#include "calculator/number_text.h"
#include "conversion/currency_page_model.h"
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
const QString kBankPath = QStringLiteral("/stats/eurofxref/eurofxref-daily.xml");

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
        h.loadRates = [this] {
            loaded = LoadExchangeRates(folder.path());
            loadedDate = loaded.date;
        };
        h.outcome = [this](RateUpdateResult result) { results.append(result); };
        h.searchNewVersion = [this] { return search; };
        h.suspendAlwaysOnTop = [this](bool on) { suspended.append(on); };
        return h;
    }
    void run(const S& server) { run(onUpdateHost(server)); }
    static WebHosts onUpdateHost(const S& server)
    {
        WebHosts hosts;
        hosts.update = server.Base();
        return hosts;
    }
    static WebHosts onBank(const S& server)
    {
        WebHosts hosts;
        hosts.referenceRates = WebHosts::At(server.Base(), kBankPath);
        return hosts;
    }
    QByteArray rateFileNow() const
    {
        QFile file(folder.filePath(QStringLiteral("kurse.txt")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void run(const WebHosts& hosts)
    {
        WebUpdate update(client, hosts, folder.path(), QStringLiteral("1.3.6"), hooks());
        update.UpdateExchangeRates(true);
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files); }

    QTemporaryDir folder;
    WebClient client{TransferLimits{.timeoutMs = 2000, .deadlineMs = 4000}};
    bool search = true;
    ExchangeRates loaded;
    QString loadedDate;
    QList<RateUpdateResult> results;
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
    EXPECT_EQ(loadedDate, u""); // nothing new to load: the page keeps what it shows
    EXPECT_EQ(server.paths, QList<QByteArray>{"/Quorvanta/Kursupdate.ashx"});
}

TEST_F(Update, TheBanksReferenceRatesBecomeTheRateFileAndNoVersionIsAsked)
{
    S server({{kBankPath.toLatin1(), S::Answer(200, R"(<?xml version="1.0" encoding="UTF-8"?>
<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01"
 xmlns="http://www.ecb.int/vocabulary/2002-08-01/eurofxref"><Cube><Cube time="2026-02-03">
<Cube currency="USD" rate="1.0876"/><Cube currency="JPY" rate="161.52"/>
</Cube></Cube></gesmes:Envelope>)")}});
    run(onBank(server));
    EXPECT_EQ(loadedDate, u"03.02.2026");
    CurrencyPageModel calc;
    calc.TakeExchangeRates(loaded);
    EXPECT_EQ(calc.GridRate(UsDollarEntry - FirstFloatingEntry), FixedText(1 / 1.0876, 7));
    EXPECT_EQ(calc.GridRate(UsDollarEntry - FirstFloatingEntry), u"0,9194557");
    EXPECT_EQ(server.paths, QList<QByteArray>{kBankPath.toLatin1()});
    EXPECT_EQ(results, QList<RateUpdateResult>{RateUpdateResult::Loaded});
}

TEST_F(Update, AnythingButASoundAnswerLeavesTheRateFileAsItWasAndSaysWhy)
{
    search = false;
    QByteArray html = "Stand: <p>Wartung</p>\r\n";
    for (int line = 0; line < FloatingCount; ++line)
        html += "<p>Bitte melden Sie sich an</p>\r\n";
    const QByteArray before = rateFileNow();
    const struct {
        const char* what;
        bool bank;
        QByteArray answer;
        RateUpdateResult result;
    } rows[] = {
        {"garbage with 200", false, S::Answer(200, "e0ofacaptiveportalpage</p>"),
         RateUpdateResult::InvalidAnswer},
        {"37 lines of HTML", false, S::Answer(200, html), RateUpdateResult::InvalidAnswer},
        {"404", false, S::Answer(404, "weg", "Not Found"), RateUpdateResult::InvalidAnswer},
        {"HTML from the bank", true, S::Answer(200, html), RateUpdateResult::InvalidAnswer},
        {"XML cut off", true,
         S::Answer(200, "<Cube><Cube time=\"2026-02-03\"><Cube currency=\"USD\" rate=\"1.1\"/>"),
         RateUpdateResult::InvalidAnswer},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        results.clear();
        S server(row.answer);
        run(row.bank ? onBank(server) : onUpdateHost(server));
        EXPECT_EQ(rateFileNow(), before);
        EXPECT_EQ(loadedDate, u"");
        EXPECT_EQ(results, QList<RateUpdateResult>{row.result});
    }
    // Nobody listening.
    results.clear();
    WebHosts nowhere;
    {
        S closed(QByteArray{});
        nowhere.update = closed.Base();
    }
    run(nowhere);
    EXPECT_EQ(rateFileNow(), before);
    EXPECT_EQ(results, QList<RateUpdateResult>{RateUpdateResult::NoConnection});
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
