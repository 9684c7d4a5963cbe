#include "platform/crash_file.h"
#include "reporting/ui/exception_handling.h"

#include <QClipboard>
#include <QFile>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

namespace {
// Answers the next plain message box with OK and keeps its text.
void answerMessageBox(QString* text)
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, text] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->accept();
            timer->deleteLater();
        }
    });
    timer->start(20);
}

// Clicks a button whose handler throws, and runs `withDialog` once the dialog's report is
// built; returns whether the dialog came up.
bool throwFromClick(const std::function<void(ErrorReportDialog&)>& withDialog)
{
    QWidget window;
    window.setObjectName(QStringLiteral("frm_test"));
    window.setProperty("reportedClassName", QStringLiteral("Tfrm_test"));
    auto* button = new QPushButton(&window);
    button->setObjectName(QStringLiteral("btn_wirft"));
    QObject::connect(button, &QPushButton::clicked, button,
                     [] { throw std::runtime_error("Zugriffsverletzung"); });
    window.show();
    QApplication::setActiveWindow(&window);
    button->setFocus();
    bool shown = false;
    ExceptionDialogShownHook() = [&](ErrorReportDialog& dialog) {
        shown = true;
        withDialog(dialog);
        if (dialog.isVisible())
            dialog.accept();
    };
    QTest::mouseClick(button, Qt::LeftButton);
    ExceptionDialogShownHook() = nullptr;
    return shown;
}

struct Child {
    int exitCode;
    bool crashed;
    QString output;
};
Child runChild(const QString& kind, const QString& crashFile)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--crash=") + kind, crashFile});
    child.waitForFinished(30000);
    return {child.exitCode(), child.exitStatus() == QProcess::CrashExit,
            QString::fromUtf8(child.readAllStandardOutput())};
}
} // namespace

TEST(ExceptionDialog, ErrorFromAnEventHandlerShowsTheDialogWithItsReport)
{
    SetReportingSetup({QUrl(QStringLiteral("http://127.0.0.1:1")), QStringLiteral("Quorvanta"),
                       QStringLiteral("1.2.3.4")});
    EXPECT_TRUE(throwFromClick([](ErrorReportDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quorvanta - Anwendungsfehler"));
        EXPECT_EQ(dialog.Message(), QStringLiteral("Zugriffsverletzung."));
        const QString report = dialog.Report();
        EXPECT_TRUE(report.startsWith(
            QStringLiteral("Exception class: std::runtime_error\r\nException Addresse: ")));
        for (const char* part :
             {"Stack list, generated", "System   : ", "Prozessor: ", "Liste der geladenen Module:",
              "QPushButton \"btn_wirft\"\r\n"
              "Tfrm_test \"frm_test\""})
            EXPECT_TRUE(report.contains(QString::fromUtf8(part))) << part;
        // a frame of ours, symbolised from the debug information
        EXPECT_TRUE(report.contains(QStringLiteral("ReportingApplication::notify")))
            << qPrintable(report);
        EXPECT_FALSE(dialog.Unfolded());
        auto* details = dialog.findChild<QPushButton*>(QStringLiteral("DetailsBtn"));
        EXPECT_EQ(details->text(), QStringLiteral("&Details >>"));
        // Ctrl+C copies message and full report while folded
        QTest::keyClick(dialog.findChild<QPlainTextEdit*>(QStringLiteral("TextLabel")), Qt::Key_C,
                        Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(),
                  dialog.Message() + QStringLiteral("\r\n") + report);
        details->click();
        EXPECT_TRUE(dialog.Unfolded());
        EXPECT_EQ(details->text(), QStringLiteral("<< &Details"));
        EXPECT_TRUE(dialog.findChild<QWidget*>(QStringLiteral("DetailsMemo"))->isVisible());
        EXPECT_FALSE(dialog.findChild<QWidget*>(QStringLiteral("btn_crash"))->isVisible());
    }));
}

TEST(ExceptionDialog, SecondErrorWhileShownGetsAPlainMessage)
{
    QString plain;
    EXPECT_TRUE(throwFromClick([&](ErrorReportDialog&) {
        answerMessageBox(&plain);
        ShowExceptionDialog(
            ErrorInfo::Of(QStringLiteral("std::logic_error"), QStringLiteral("Zweiter Fehler")));
    }));
    EXPECT_EQ(plain, QStringLiteral("Zweiter Fehler."));
}

TEST(ExceptionDialog, ThreadErrorIsShownOnTheMainThreadWithItsThread)
{
    QString report;
    ExceptionDialogShownHook() = [&](ErrorReportDialog& dialog) {
        report = dialog.Report();
        dialog.accept();
    };
    std::thread([] {
        auto error = ErrorInfo::Of(QStringLiteral("std::runtime_error"), QStringLiteral("Netz"));
        error.thread = QStringLiteral("Kursupdate");
        ReportThreadError(error);
    }).join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !report.isEmpty(); }, 10000));
    ExceptionDialogShownHook() = nullptr;
    EXPECT_TRUE(report.startsWith(
        QStringLiteral("Exception class: std::runtime_error\r\nThread: Kursupdate\r\n")));
}

// Each kind of error in a child process: what reaches the dialog, and what leaves a crash file.
TEST(ExceptionDialog, EveryKindOfErrorEndsInTheDialogOrACrashFile)
{
    const struct {
        const char* kind;
        bool crashes;
        const char* shown;     // in the dialog, or nothing
        const char* crashFile; // the crash file's first line, or nothing
    } cases[] = {
        {"throw", false, "Exception class: std::runtime_error", nullptr},
        {"terminate", true, "Exception class: std::logic_error", nullptr},
        {"segv", true, nullptr, "Signal SIGSEGV"},
        {"abort", true, nullptr, "Signal SIGABRT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        QTemporaryDir folder;
        const QString crashFile = folder.filePath(QStringLiteral("crash-report.txt"));
        const Child child = runChild(QString::fromLatin1(c.kind), crashFile);
        EXPECT_EQ(child.crashed, c.crashes);
        if (c.shown) {
            EXPECT_TRUE(child.output.contains(QString::fromLatin1(c.shown)))
                << qPrintable(child.output);
        }
        const auto written = ReadCrashFile(crashFile);
        EXPECT_EQ(written.has_value(), c.crashFile != nullptr);
        if (written && c.crashFile) {
            EXPECT_TRUE(written->startsWith(c.crashFile));
            EXPECT_TRUE(written->contains("Stack list, generated"));
        }
    }
}

TEST(ExceptionDialog, NextStartShowsTheCrashFileOnceAndRemovesIt)
{
    QTemporaryDir folder;
    const QString crashFile = folder.filePath(QStringLiteral("crash-report.txt"));
    runChild(QStringLiteral("segv"), crashFile);
    ASSERT_TRUE(QFile::exists(crashFile));
    QString message;
    QString report;
    ExceptionDialogShownHook() = [&](ErrorReportDialog& dialog) {
        message = dialog.Message();
        report = dialog.Report();
        dialog.accept();
    };
    EXPECT_TRUE(ShowCrashReport(crashFile));
    ExceptionDialogShownHook() = nullptr;
    EXPECT_EQ(message, QStringLiteral("Signal SIGSEGV."));
    EXPECT_TRUE(report.startsWith(QStringLiteral("Exception class: SIGSEGV\r\n")));
    EXPECT_TRUE(report.contains(QStringLiteral("System   : ")));
    EXPECT_FALSE(QFile::exists(crashFile));
    EXPECT_FALSE(ShowCrashReport(crashFile));
}
