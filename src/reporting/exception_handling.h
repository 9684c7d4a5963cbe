// Every error no handler catches ends in ErrorReportDialog: exceptions out of event
// handlers, std::terminate, errors of background threads; fatal signals leave a crash file the
// next start shows.
#pragma once

#include "reporting/exception_dialog.h"

#include <QApplication>

#include <functional>

// The program's application object: an exception leaving an event handler is shown instead
// of ending the program.
class ReportingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

// Hooks and unhooks std::terminate, the fatal signals (their crash file at `crashFile`) and the
// passing of background threads' errors; `setup` says where reports go.
void InstallExceptionDialog(const ReportingSetup& setup, const QString& crashFile);
void RemoveExceptionDialog();
class SettingsStore;
struct ProxyAddress;
// The program's title and version, the report host from the settings ("ReportHost"; missing:
// this machine) and the SOCKS proxy when one is set.
ReportingSetup ReportingSetupFrom(const SettingsStore& settings,
                                  const std::optional<ProxyAddress>& proxy);
// Mends the report host after start (the settings are read later than the hooks go in).
void SetReportingSetup(const ReportingSetup& setup);

// Shows the dialog for `error`; while one is shown, a further error gets a plain message box.
void ShowExceptionDialog(const ErrorInfo& error);
// From any thread: the error is shown on the main thread.
void ReportThreadError(const ErrorInfo& error);
// Inside a catch block: the caught error, with the stack where it was caught.
ErrorInfo CaughtError();
// At start: a crash file of the last run is shown, then removed. True when one was shown.
bool ShowCrashReport(const QString& crashFile);

// For tests: runs with the dialog once its report is built.
std::function<void(ErrorReportDialog&)>& ExceptionDialogShownHook();
