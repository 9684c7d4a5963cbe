#include "reporting/ui/exception_handling.h"

#include "common/program_version.h"
#include "platform/crash_file.h"
#include "platform/proxy_address.h"
#include "platform/report_collectors.h"
#include "platform/settings_store.h"
#include "platform/throw_site.h"
#include "platform/web_client.h"

#include <QFile>
#include <QMessageBox>
#include <QThread>

#include <boost/core/demangle.hpp>

#include <cxxabi.h>
#include <exception>
#include <typeinfo>

namespace {
ReportingSetup reportingSetup;
bool dialogShowing = false; // the re-entrancy flag
std::terminate_handler previousTerminate = nullptr;

[[noreturn]] void onTerminate()
{
    // The dialog is the report of this end: the abort that follows writes no crash file.
    RemoveCrashHandler();
    if (QThread::currentThread() == qApp->thread()) {
        ErrorInfo error;
        if (std::current_exception())
            error = CaughtError();
        else
            error = ErrorInfo::Of(QStringLiteral("std::terminate"),
                                  QStringLiteral("Das Programm wurde abgebrochen"));
        ShowExceptionDialog(error);
    }
    std::abort();
}

void runDialog(ErrorReportDialog& dialog)
{
    auto& hook = ExceptionDialogShownHook();
    if (hook) {
        QObject::connect(
            &dialog, &ErrorReportDialog::Built, &dialog, [&dialog, &hook] { hook(dialog); },
            Qt::QueuedConnection);
    }
    dialog.exec();
}
} // namespace

bool ReportingApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowExceptionDialog(CaughtError());
        return false;
    }
}

ErrorInfo CaughtError()
{
    ErrorInfo error;
    const void* thrown = nullptr; // unknown for what is no std::exception
    try {
        throw;
    } catch (const std::exception& e) {
        thrown = dynamic_cast<const void*>(&e);
        error.className = QString::fromStdString(boost::core::demangle(typeid(e).name()));
        error.message = QString::fromLocal8Bit(e.what());
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        error.className = type ? QString::fromStdString(boost::core::demangle(type->name()))
                               : QStringLiteral("unknown");
        error.message = error.className;
    }
    // The stack of the throw where our code threw; else where it was caught.
    if (const auto site = LastThrowSite(thrown)) {
        error.stack = site->stack;
        error.stackTaken = site->taken;
        error.address = site->address;
    } else {
        error.stack = CurrentStackLines(1);
        error.stackTaken = QDateTime::currentDateTime();
        error.address = reinterpret_cast<quintptr>(__builtin_return_address(0));
    }
    return error;
}

void ShowExceptionDialog(const ErrorInfo& error)
{
    if (dialogShowing) {
        QMessageBox::critical(nullptr, reportingSetup.title, MessageText(error.message));
        return;
    }
    dialogShowing = true;
    {
        ErrorReportDialog dialog(error, reportingSetup, !error.thread.has_value(),
                                 QApplication::focusWidget());
        runDialog(dialog);
    }
    dialogShowing = false;
}

void ReportThreadError(const ErrorInfo& error)
{
    QMetaObject::invokeMethod(
        qApp, [error] { ShowExceptionDialog(error); }, Qt::QueuedConnection);
}

bool ShowCrashReport(const QString& crashFile)
{
    const auto contents = ReadCrashFile(crashFile);
    if (!contents)
        return false;
    QFile::remove(crashFile); // shown once, whatever the user does with it
    const auto crash = ParseCrashFile(*contents);
    if (!crash)
        return false;
    // The file already holds the report's first lines and the stack of the crash.
    ErrorInfo error;
    error.message = crash->message;
    dialogShowing = true;
    {
        ErrorReportDialog dialog(error, reportingSetup, true, nullptr);
        dialog.SetCrashReport(crash->report);
        runDialog(dialog);
    }
    dialogShowing = false;
    return true;
}

void InstallExceptionDialog(const ReportingSetup& setup, const QString& crashFile)
{
    reportingSetup = setup;
    previousTerminate = std::set_terminate(onTerminate);
    InstallCrashHandler(crashFile);
}

void RemoveExceptionDialog()
{
    RemoveCrashHandler();
    std::set_terminate(previousTerminate);
}

ReportingSetup ReportingSetupFrom(const SettingsStore& settings,
                                  const std::optional<ProxyAddress>& proxy)
{
    ReportingSetup setup;
    setup.reportHost = WebHosts().report;
    if (const auto host = settings.Text(SettingsStore::Key::ReportHost);
        host && !host->trimmed().isEmpty())
        setup.reportHost = QUrl(host->trimmed());
    setup.title = QApplication::applicationName();
    setup.version = ProgramVersionText(true);
    setup.proxy = proxy;
    return setup;
}

void SetReportingSetup(const ReportingSetup& setup)
{
    reportingSetup = setup;
}

std::function<void(ErrorReportDialog&)>& ExceptionDialogShownHook()
{
    static std::function<void(ErrorReportDialog&)> hook;
    return hook;
}
