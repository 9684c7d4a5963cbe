// ErrorReportDialog: the one dialog for every error no handler caught. It shows the message,
// unfolds the technical report, copies both with Ctrl+C and sends the report on request.
#pragma once

#include "platform/proxy_address.h"
#include "reporting/engine/exception_report.h"

#include <QDialog>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class WebClient;

// Where reports go and what they say about the program.
struct ReportingSetup {
    QUrl reportHost;
    QString title = QStringLiteral("Quorvanta");
    QString version;                                  // all four numbers
    std::optional<ProxyAddress> proxy = std::nullopt; // SOCKS 5; none: a direct connection
};

class ErrorReportDialog : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString messageText READ Message) // read by the driver as the dialog's text
public:
    // `focused` is the control that had the focus when the error came.
    ErrorReportDialog(const ErrorInfo& error, const ReportingSetup& setup, bool mainThread,
                      QWidget* focused, QWidget* parent = nullptr);
    ~ErrorReportDialog() override;

    QString Message() const { return m_message; }
    QString Report() const { return m_report; }
    bool ReportBuilt() const { return m_built; }
    bool Unfolded() const { return m_unfolded; }

    // A report made elsewhere (a crash file of the last run): it replaces the first lines and
    // the stack, and building adds only the system.
    void SetCrashReport(const QString& report);
    void BuildReport();
    void SendReport();
    void CopyReport();
    void DetailsBtnClick();

    // Shows the message box of a failed post; a message box with OK unless replaced.
    std::function<void(const QString&)> ShowError;

signals:
    void Built();

protected:
    void showEvent(QShowEvent* event) override;
    void customEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fold(bool unfolded);
    int foldedHeight() const;

    ReportingSetup m_setup;
    ErrorInfo m_error;
    bool m_mainThread;
    QPointer<QWidget> m_focused;
    QString m_message;
    QString m_report;
    bool m_built = false;
    int m_sections = AllSections;
    bool m_unfolded = false;
    QString m_detailsCaption; // the details button's caption without its fold marker
    int m_unfoldedHeight = 0;
    WebClient* m_web = nullptr;

    QLabel* m_icon = nullptr;
    QPlainTextEdit* TextLabel = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* SendBtn = nullptr;
    QPushButton* DetailsBtn = nullptr;
    QPushButton* btn_crash = nullptr;
    QCheckBox* chk_project = nullptr;
    QProgressBar* pba_send = nullptr;
    QFrame* Bevel1 = nullptr;
    QPlainTextEdit* DetailsMemo = nullptr;
};
