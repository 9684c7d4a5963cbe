// The error dialog's tests run with the program's own application object on the offscreen
// platform. Started as "--crash=KIND CRASHFILE" the binary is the child a test provokes an
// error in: throw (out of a timer's handler), terminate, segv, abort.
#include "reporting/exception_handling.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

namespace {
int provoke(const QString& kind, const QString& crashFile)
{
    InstallExceptionDialog({}, crashFile);
    // The child tells what the dialog showed, and closes it.
    ExceptionDialogShownHook() = [](ErrorReportDialog& dialog) {
        std::fputs(qPrintable(dialog.Message() + u'\n' + dialog.Report()), stdout);
        std::fflush(stdout);
        dialog.accept();
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    };
    QTimer::singleShot(0, qApp, [kind] {
        if (kind == u"throw")
            throw std::runtime_error("Fehler im Zeitgeber");
        if (kind == u"terminate") {
            try {
                throw std::logic_error("Abbruch");
            } catch (...) {
                std::terminate();
            }
        }
        if (kind == u"segv")
            *static_cast<volatile int*>(nullptr) = 1;
        if (kind == u"abort")
            std::abort();
    });
    const int result = QApplication::exec();
    RemoveExceptionDialog();
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ReportingApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments[1].startsWith(u"--crash="))
        return provoke(arguments[1].mid(8), arguments[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
