// The update button of the currency page against a real quorvanta-service: the program,
// pointed at the service by its settings, shows the service's rates and date.
#include "conversion/currency_rates.h"
#include "conversion/exchange_rate_file.h"
#include "shell/platform/settings_store.h"
#include "support/qt_printers.h"
#include "support/running_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(RateUpdate, TheButtonShowsTheServicesRatesAndDate)
{
    RunningService service;
    ASSERT_TRUE(service.IsRunning());
    ExchangeRates served = ParseExchangeRates(QByteArray());
    served.date = QStringLiteral("03.02.2026");
    const int usdRow = UsDollarEntry - FirstFloatingEntry;
    served.rates[size_t(usdRow)] = QStringLiteral("0,8");
    writeFile(QDir(service.Folder()).filePath(QStringLiteral("kurse.txt")),
              WriteExchangeRates(served));

    // A program folder of its own, with the pipe files so that nothing is missing.
    QTemporaryDir programDir;
    const QDir delivered = QFileInfo(QStringLiteral(QUORVANTA_DRIVER)).dir();
    for (const QString& name : delivered.entryList({QStringLiteral("*.FMA")}, QDir::Files))
        QFile::copy(delivered.filePath(name), programDir.filePath(name));
    const QString settings = programDir.filePath(QStringLiteral("settings.ini"));
    {
        SettingsStore store(settings);
        store.SetText(SettingsStore::Key::UpdateHost, service.Base());
        store.SetBool(SettingsStore::Key::AutoUpdate, false);
        store.SetBool(SettingsStore::Key::SearchNewVersion, false);
    }
    const QString script = programDir.filePath(QStringLiteral("update.qvs"));
    writeFile(script, QStringLiteral("select pco_main 2\nprint lbl_datum\nclick img_kursupdate\n"
                                     // the script goes on while the button waits for the host
                                     "wait 1000\n"
                                     "print lbl_datum\nprintcell sgr_kurse %1 1\n")
                          .arg(usdRow)
                          .toLatin1());

    QProcess driver;
    driver.start(QStringLiteral(QUORVANTA_DRIVER),
                 {QStringLiteral("--program-dir"), programDir.path(), QStringLiteral("--settings"),
                  settings, script});
    ASSERT_TRUE(driver.waitForFinished(30000));
    EXPECT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(driver.readAllStandardOutput()),
              QStringLiteral("lbl_datum=\"25.04.2008\"\nlbl_datum=\"03.02.2026\"\n"
                             "sgr_kurse[%1,1]=\"0,8000000\"\n")
                  .arg(usdRow));
    // The program folder now holds the service's file.
    QFile saved(programDir.filePath(QStringLiteral("kurse.txt")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), WriteExchangeRates(served));
}

} // namespace
