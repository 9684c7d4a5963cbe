// The update button of the currency page against a real quorvanta-service: the program,
// pointed at the service by its settings, shows the service's rates and date and keeps them
// in the user's own rate file, never in the program folder.
#include "calculator/number_text.h"
#include "conversion/currency_rates.h"
#include "conversion/exchange_rate_file.h"
#include "shell/platform/settings_store.h"
#include "support/qt_printers.h"
#include "support/running_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const int kUsdRow = UsDollarEntry - FirstFloatingEntry;
const int kBgnRow = 1;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder of its own with the pipe files and an empty translation table (no missing
// file to be told of), settings pointing at the service, and a data folder for the user's rate
// file.
class RateUpdate : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(service.IsRunning());
        const QDir delivered = QFileInfo(QStringLiteral(QUORVANTA_DRIVER)).dir();
        for (const QString& name : delivered.entryList({QStringLiteral("*.FMA")}, QDir::Files))
            QFile::copy(delivered.filePath(name), programDir.filePath(name));
        writeFile(programDir.filePath(QStringLiteral("uebersetzung.txt")), QByteArray());
        SettingsStore store(settings());
        store.SetBool(SettingsStore::Key::AutoUpdate, false);
        store.SetBool(SettingsStore::Key::SearchNewVersion, false);
    }
    QString settings() const { return scratch.filePath(QStringLiteral("settings.ini")); }
    QString dataDir() const { return scratch.filePath(QStringLiteral("data")); }
    QString userFile() const { return QDir(dataDir()).filePath(QStringLiteral("kurse.txt")); }

    QString drive(const QString& script)
    {
        const QString file = scratch.filePath(QStringLiteral("script.qvs"));
        writeFile(file, script.toUtf8());
        QProcess driver;
        driver.start(QStringLiteral(QUORVANTA_DRIVER),
                     {QStringLiteral("--program-dir"), programDir.path(),
                      QStringLiteral("--settings"), settings(), QStringLiteral("--data-dir"),
                      dataDir(), file});
        EXPECT_TRUE(driver.waitForFinished(30000));
        EXPECT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();
        return QString::fromUtf8(driver.readAllStandardOutput());
    }

    RunningService service;
    QTemporaryDir programDir;
    QTemporaryDir scratch;
};

TEST_F(RateUpdate, TheButtonShowsTheUpdateHostsRatesAndKeepsThemInTheUsersFile)
{
    ExchangeRates served = ParseExchangeRates(QByteArray());
    served.date = QStringLiteral("03.02.2026");
    served.rates[size_t(kUsdRow)] = QStringLiteral("0,8");
    writeFile(QDir(service.Folder()).filePath(QStringLiteral("kurse.txt")),
              WriteExchangeRates(served));
    SettingsStore(settings()).SetText(SettingsStore::Key::UpdateHost, service.Base());

    const QString shown =
        drive(QStringLiteral("select pco_main 2\nprint lbl_datum\nprint lbl_datum tooltip\n"
                             "click img_kursupdate\n"
                             // the script goes on while the button waits for the host
                             "wait 1000\n"
                             "print lbl_datum\nprintcell sgr_kurse %1 1\n"
                             "print lbl_datum color\nprint lbl_datum tooltip\nprintdialog\n")
                  .arg(kUsdRow));
    EXPECT_TRUE(
        shown.startsWith(QStringLiteral("lbl_datum=\"25.04.2008\"\n"
                                        "lbl_datum.tooltip=\"Noch keine Aktualisierung versucht\"\n"
                                        "lbl_datum=\"03.02.2026\"\nsgr_kurse[%1,1]=\"0,8000000\"\n"
                                        "lbl_datum.color=\"#ff0000\"\n")
                             .arg(kUsdRow)))
        << shown.toStdString();
    // Rates of February are old by now: the hint says the last update worked all the same,
    // and so does the button's notice.
    EXPECT_TRUE(shown.contains(QRegularExpression(QStringLiteral(
        "Letzter Aktualisierungsversuch: [0-9.]+ [0-9:]+, Kurse vom 03.02.2026 geladen"))))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(QStringLiteral("läuft... Kurse vom 03.02.2026 geladen")));
    EXPECT_EQ(readFile(userFile()), WriteExchangeRates(served));
    EXPECT_FALSE(QFile::exists(programDir.filePath(QStringLiteral("kurse.txt"))));
}

TEST_F(RateUpdate, BankRatesConvertAHandTypedRateOutlivesARefusedUpdateAndARestart)
{
    const QString xml = QDir(service.Folder()).filePath(QStringLiteral("eurofxref-daily.xml"));
    writeFile(xml, R"(<?xml version="1.0" encoding="UTF-8"?>
<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01"
 xmlns="http://www.ecb.int/vocabulary/2002-08-01/eurofxref"><Cube><Cube time="2026-02-03">
<Cube currency="USD" rate="1.0876"/><Cube currency="BGN" rate="2.5"/>
</Cube></Cube></gesmes:Envelope>)");
    SettingsStore(settings())
        .SetText(SettingsStore::Key::ReferenceRates,
                 service.Base() + QStringLiteral("/stats/eurofxref/eurofxref-daily.xml"));
    const QString bgn = FixedText(1 / 1.95583, 7); // fixed when Bulgaria joined the euro

    const QString rows = QStringLiteral("printcell sgr_kurse %1 1\nprintcell sgr_kurse %2 1\n")
                             .arg(kUsdRow)
                             .arg(kBgnRow);
    const auto cells = [&](const QString& usd) {
        return QStringLiteral("sgr_kurse[%1,1]=\"%2\"\nsgr_kurse[%3,1]=\"%4\"\n")
            .arg(kUsdRow)
            .arg(usd)
            .arg(kBgnRow)
            .arg(bgn);
    };
    EXPECT_EQ(drive(QStringLiteral("select pco_main 2\nclick img_kursupdate\nwait 1000\n"
                                   "print lbl_datum\n") +
                    rows +
                    QStringLiteral("cell sgr_kurse %1 1\nkey sgr_kurse Backspace\n"
                                   "type sgr_kurse 0.77\nkey sgr_kurse Enter\n")
                        .arg(kUsdRow) +
                    rows),
              QStringLiteral("lbl_datum=\"03.02.2026\"\n") + cells(QStringLiteral("0,9194557")) +
                  cells(QStringLiteral("0,77")));

    // The bank's page turns into a portal's: the update is refused, the typed rate stays on
    // screen, in the file and after a restart.
    const QByteArray kept = readFile(userFile());
    writeFile(xml, "<html><p>Bitte anmelden</p></html>");
    const QString refused = drive(QStringLiteral("select pco_main 2\n") + rows +
                                  QStringLiteral("click img_kursupdate\nwait 1000\n") + rows +
                                  QStringLiteral("printdialog\nprint lbl_datum color\n"
                                                 "print lbl_datum tooltip\n"));
    EXPECT_TRUE(
        refused.startsWith(cells(QStringLiteral("0,7700000")) + cells(QStringLiteral("0,7700000"))))
        << refused.toStdString();
    // The notice and the old date's hint say why; the rates of 03.02.2026 are old by now.
    EXPECT_TRUE(refused.contains(QStringLiteral("aktualisierung läuft... ungültige Antwort")))
        << refused.toStdString();
    // The typed rate dated the rates today: they are not old.
    EXPECT_TRUE(refused.contains(QStringLiteral("lbl_datum.tooltip=\"\"")));
    EXPECT_EQ(readFile(userFile()), kept);
}

} // namespace
