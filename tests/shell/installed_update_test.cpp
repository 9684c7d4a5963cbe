// An installed program updates its rates for an ordinary user: its folder under the prefix
// is read-only, and the update lands in the user's data folder (XDG_DATA_HOME) instead.
#include "currency/engine/exchange_rate_file.h"
#include "platform/settings_store.h"
#include "support/running_service.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below `folder` with its bytes' size: what the program must not change.
QStringList listing(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files << path + u' ' + QString::number(QFileInfo(path).size());
    }
    files.sort();
    return files;
}

TEST(InstalledProgram, UpdatesIntoTheUsersDataFolderNotItsOwn)
{
    QTemporaryDir scratch;
    const QString prefix = scratch.filePath(QStringLiteral("prefix"));
    QProcess install;
    install.start(QStringLiteral(CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                   QStringLiteral("--prefix"), prefix});
    ASSERT_TRUE(install.waitForFinished(60000));
    ASSERT_EQ(install.exitCode(), 0) << install.readAllStandardError().toStdString();
    const QString folder = QDir(prefix).filePath(QStringLiteral("lib/quorvanta"));
    ASSERT_TRUE(QFile::exists(QDir(folder).filePath(QStringLiteral("kurse.txt"))));
    // As a system-wide installation is: nobody but the administrator may write there.
    QDirIterator dirs(folder, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList folders{folder};
    while (dirs.hasNext())
        folders << dirs.next();
    for (const QString& dir : folders)
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                       QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QStringList before = listing(folder);

    RunningService service;
    ASSERT_TRUE(service.IsRunning());
    QFile xml(QDir(service.Folder()).filePath(QStringLiteral("eurofxref-daily.xml")));
    ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
    xml.write(R"(<Cube><Cube time="2026-02-03"><Cube currency="USD" rate="1.25"/></Cube></Cube>)");
    xml.close();
    const QString settings = scratch.filePath(QStringLiteral("settings.ini"));
    {
        SettingsStore store(settings);
        store.SetBool(SettingsStore::Key::AutoUpdate, false);
        store.SetText(SettingsStore::Key::ReferenceRates,
                      service.Base() + QStringLiteral("/stats/eurofxref/eurofxref-daily.xml"));
    }
    QProcess driver;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString dataHome = scratch.filePath(QStringLiteral("data"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    driver.setProcessEnvironment(environment);
    driver.start(QStringLiteral(QUORVANTA_DRIVER),
                 {QStringLiteral("--program-dir"), folder, QStringLiteral("--settings"), settings,
                  QStringLiteral("--user-data")});
    driver.write("select pco_main 2\nclick img_kursupdate\nwait 1000\nprint lbl_datum\n");
    driver.closeWriteChannel();
    ASSERT_TRUE(driver.waitForFinished(30000));
    EXPECT_EQ(driver.readAllStandardOutput(), "lbl_datum=\"03.02.2026\"\n")
        << driver.readAllStandardError().toStdString();

    const ExchangeRates kept = ParseExchangeRates(
        readFile(QDir(dataHome).filePath(QStringLiteral("Quorvanta/kurse.txt"))));
    EXPECT_EQ(kept.outcome, RateFileOutcome::Loaded);
    EXPECT_EQ(kept.date, u"03.02.2026");
    EXPECT_EQ(listing(folder), before);
    for (const QString& dir : folders)
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
