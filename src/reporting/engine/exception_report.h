// The error dialog's rules without a window: the message text, the report's lines, the fields
// sent to the report host and what the host's answer means.
#pragma once

#include "common/control_texts.h"
#include "common/system_facts.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// An error nobody caught: what it is, and where it happened.
struct ErrorInfo {
    QString className; // "std::runtime_error"
    QString message;
    // A background thread's description; none for an error of the main thread.
    std::optional<QString> thread;
    quintptr address = 0; // where the error was raised, when known
    // The call stack where the error was caught, when taken there; empty: taken by the dialog.
    QStringList stack;
    QDateTime stackTaken;

    static ErrorInfo Of(const QString& className, const QString& message)
    {
        ErrorInfo error;
        error.className = className;
        error.message = message;
        return error;
    }
};

// The facts the report is made of: the system's and the modules' in system_facts.h, collected
// by the platform layer; the controls' here, collected by the dialog.
struct ControlFact {
    QString className;
    QString name;
};

struct ReportFacts {
    QDateTime stackTaken;
    QStringList stack; // one line per frame, innermost first
    SystemFacts system;
    QList<ModuleFact> modules;
    QList<ControlFact> controls; // from the focused control up through its parents
};

enum ReportSection { CallStack = 1, System = 2, Modules = 4, ActiveControls = 8, AllSections = 15 };

// 78 "-".
QString SeparatorLine();
// The error's message with a final "." and CR LF line breaks.
QString MessageText(const QString& message);
// "Exception class: ...", then "Thread: ..." or "Exception Addresse: ...", then a separator.
QString ReportHeader(const ErrorInfo& error);
// The chosen sections, each ending with a separator line; lines end with CR LF.
QString BuildReport(const ReportFacts& facts, int sections);

// The form fields of a report, in the order the host expects them.
QList<std::pair<QString, QString>> ReportFields(const QString& report, const QString& message,
                                                const QString& program, const QString& version);

enum class SendResult {
    Close,              // the host took the report
    MessageThenClose,   // the host answered with nothing
    MessageAndStayOpen, // the post failed: the user may try again
};
SendResult SendOutcome(bool posted, const QByteArray& answer);

// A report written by the crash handler: its first line is the message, the rest the report.
struct CrashReport {
    QString message;
    QString report;
};
std::optional<CrashReport> ParseCrashFile(const QByteArray& contents);

// Captions and hints of the dialog's controls, German by default; a translation replaces
// entries here and every later dialog shows them.
ControlTexts& ExceptionDialogControlTexts();
// The dialog's runtime texts, German by default; a translation fills them (the caption is
// the translation table's entry for the dialog itself).
struct ExceptionDialogStrings {
    QString caption = QStringLiteral("%s - Anwendungsfehler");
    QString sendFailed = QStringLiteral(
        "Ihre Fehlermeldung konnte leider nicht automatisch versendet werden. Bitte wenden Sie "
        "sich an die Drevion-Hotline.");
    QString folded = QStringLiteral(" >>");   // appended to the details button's caption
    QString unfolded = QStringLiteral("<< "); // put before it
};
ExceptionDialogStrings& ExceptionStrings();
// The caption with the program's title for %s.
QString DialogCaption(const QString& title);
// The details button's caption for the folded or unfolded report.
QString DetailsCaption(const QString& base, bool unfolded);
