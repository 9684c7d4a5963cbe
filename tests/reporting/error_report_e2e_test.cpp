// The error dialog in the running program, through the driver: a click whose handler throws
// brings up the dialog, and "Senden" posts the report to a real quorvanta-service.
#include "platform/settings_store.h"
#include "support/running_service.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kDialog = QStringLiteral(
    "dialog={\"caption\":\"Quorvanta - Anwendungsfehler\",\"text\":\"Fehler zum Test des "
    "Fehlerberichts.\",\"buttons\":[\"OK\",\"Senden\",\"Details >>\"]}\n");

// Runs `script` in the driver with the report host at `host`; returns what it printed.
QString runDriver(const QString& host, const QString& script)
{
    QTemporaryDir folder;
    const QString settings = folder.filePath(QStringLiteral("settings.ini"));
    {
        SettingsStore store(settings);
        store.SetText(SettingsStore::Key::ReportHost, host);
        store.SetBool(SettingsStore::Key::AutoUpdate, false);
        store.SetBool(SettingsStore::Key::SearchNewVersion, false);
    }
    QProcess driver;
    // A driver with its own settings keeps its session where the environment says: here.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
    driver.setProcessEnvironment(env);
    driver.start(QStringLiteral(QUORVANTA_DRIVER), {QStringLiteral("--settings"), settings});
    driver.write(script.toUtf8());
    driver.closeWriteChannel();
    EXPECT_TRUE(driver.waitForFinished(30000));
    EXPECT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();
    return QString::fromUtf8(driver.readAllStandardOutput());
}

TEST(ErrorReport, AnErrorInTheProgramIsSentToTheServiceWithItsFourFields)
{
    RunningService service;
    ASSERT_TRUE(service.IsRunning());
    EXPECT_EQ(runDriver(service.Base(), QStringLiteral("fault img_ziffer7\nclick img_ziffer7\n"
                                                       "printdialog\nclick SendBtn\nwait 2000\n"
                                                       "printdialog\n")),
              kDialog + QStringLiteral("dialog=null\n"));
    const QString listed = RunningService::Run(
        {QStringLiteral("--database"), service.Database(), QStringLiteral("--list-reports")});
    for (const char* field :
         {"ErrorMessage: Fehler zum Test des Fehlerberichts.", "Programm: Quorvanta",
          "Version: " QUORVANTA_VERSION, "Exception class: std::runtime_error",
          // the stack is the throw's: the click handler is still on it
          "QAbstractButton::clicked"})
        EXPECT_TRUE(listed.contains(QString::fromUtf8(field))) << field << qPrintable(listed);
}

TEST(ErrorReport, WithTheServiceDownTheHotlineMessageComesAndTheDialogStays)
{
    QString host;
    {
        RunningService stopped;
        host = stopped.Base();
    }
    EXPECT_EQ(runDriver(host, QStringLiteral("fault img_ziffer7\nclick img_ziffer7\n"
                                             "click SendBtn\nwait 1000\nprintdialog\nanswer OK\n"
                                             "printdialog\nclick OkBtn\nprintdialog\n")),
              QStringLiteral("dialog={\"caption\":\"Quorvanta - Anwendungsfehler\",\"text\":\"Ihre "
                             "Fehlermeldung konnte leider nicht automatisch versendet werden. "
                             "Bitte wenden Sie sich an die Drevion-Hotline.\",\"buttons\":[\"OK\"]}"
                             "\n") +
                  kDialog + QStringLiteral("dialog=null\n"));
}

} // namespace
