#include "reporting/exception_dialog.h"

#include "calculator/control_texts.h"
#include "shell/platform/report_collectors.h"
#include "shell/platform/web_client.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace {
// The dialog posts itself this message once it shows, and builds the report on receiving it.
constexpr QEvent::Type kBuildReportEvent = static_cast<QEvent::Type>(QEvent::User + 1280);
constexpr int kMinimumWidth = 200;
constexpr int kIconGap = 15;

QList<ControlFact> controlChain(QWidget* focused)
{
    QList<ControlFact> chain;
    for (QWidget* w = focused; w; w = w->parentWidget())
        chain.append({ReportedClassName(*w), w->objectName()});
    return chain;
}
} // namespace

ErrorReportDialog::ErrorReportDialog(const ErrorInfo& error, const ReportingSetup& setup,
                                     bool mainThread, QWidget* focused, QWidget* parent)
    : QDialog(parent), m_setup(setup), m_error(error), m_mainThread(mainThread), m_focused(focused)
{
    setObjectName(QStringLiteral("TExceptionDialogMail"));
    setProperty(ReportedClassNameProperty, QStringLiteral("TExceptionDialogMail"));
    setWindowTitle(DialogCaption(setup.title));
    setMinimumWidth(kMinimumWidth);
    setSizeGripEnabled(true);

    m_icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(iconSize));
    m_icon->setAlignment(Qt::AlignTop);
    TextLabel = new QPlainTextEdit(this);
    TextLabel->setObjectName(QStringLiteral("TextLabel"));
    TextLabel->setReadOnly(true);
    TextLabel->setFrameShape(QFrame::NoFrame);
    TextLabel->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    TextLabel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TextLabel->setFixedHeight(4 * fontMetrics().lineSpacing() + 8);

    auto makeButton = [this](const char* name) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(name));
        return button;
    };
    OkBtn = makeButton("OkBtn");
    OkBtn->setDefault(true);
    SendBtn = makeButton("SendBtn");
    DetailsBtn = makeButton("DetailsBtn");
    DetailsBtn->setEnabled(false);
    btn_crash = makeButton("btn_crash");
    btn_crash->hide();
    chk_project = new QCheckBox(this);
    chk_project->setObjectName(QStringLiteral("chk_project"));
    chk_project->hide(); // the program has no project to send
    pba_send = new QProgressBar(this);
    pba_send->setObjectName(QStringLiteral("pba_send"));
    pba_send->hide();
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    DetailsMemo = new QPlainTextEdit(this);
    DetailsMemo->setObjectName(QStringLiteral("DetailsMemo"));
    DetailsMemo->setReadOnly(true);
    DetailsMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    DetailsMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    DetailsMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* buttons = new QVBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(OkBtn), static_cast<QWidget*>(SendBtn),
                       static_cast<QWidget*>(DetailsBtn), static_cast<QWidget*>(btn_crash)})
        buttons->addWidget(w);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_icon);
    top->addSpacing(kIconGap);
    top->addWidget(TextLabel, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(chk_project);
    layout->addWidget(pba_send);
    layout->addWidget(Bevel1);
    layout->addWidget(DetailsMemo, 1);

    ExceptionDialogControlTexts().ApplyTo(*this);
    m_detailsCaption = DetailsBtn->text();
    m_message = MessageText(error.message);
    TextLabel->setPlainText(m_message);
    m_report = ReportHeader(error);
    DetailsMemo->setPlainText(m_report);

    m_web = new WebClient({}, this);
    m_web->SetProxy(setup.proxy);
    ShowError = [this](const QString& text) {
        QMessageBox::critical(this, windowTitle(), text, QMessageBox::Ok);
    };
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(SendBtn, &QPushButton::clicked, this, &ErrorReportDialog::SendReport);
    connect(DetailsBtn, &QPushButton::clicked, this, &ErrorReportDialog::DetailsBtnClick);
    connect(btn_crash, &QPushButton::clicked, this, [] { std::_Exit(1); });
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
    installEventFilter(this);

    fold(false);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

ErrorReportDialog::~ErrorReportDialog() = default;

void ErrorReportDialog::showEvent(QShowEvent* event)
{
    // A translation applied as the dialog opens writes the table's plain texts: the caption
    // takes the program's title for its %s, the details button its fold marker again.
    if (windowTitle().contains(u"%s"))
        setWindowTitle(windowTitle().replace(QStringLiteral("%s"), m_setup.title));
    if (DetailsBtn->text() != DetailsCaption(m_detailsCaption, m_unfolded)) {
        m_detailsCaption = DetailsBtn->text();
        DetailsBtn->setText(DetailsCaption(m_detailsCaption, m_unfolded));
    }
    QDialog::showEvent(event);
    if (m_built)
        return;
    QApplication::beep();
    if (m_mainThread)
        QCoreApplication::postEvent(this, new QEvent(kBuildReportEvent));
    else
        BuildReport();
}

void ErrorReportDialog::customEvent(QEvent* event)
{
    if (event->type() == kBuildReportEvent && !m_built)
        BuildReport();
}

void ErrorReportDialog::SetCrashReport(const QString& report)
{
    m_report = report;
    m_sections = System;
    DetailsMemo->setPlainText(m_report);
}

void ErrorReportDialog::BuildReport()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ReportFacts facts;
    facts.stack = m_error.stack.isEmpty() ? CurrentStackLines() : m_error.stack;
    facts.stackTaken = m_error.stack.isEmpty() ? QDateTime::currentDateTime() : m_error.stackTaken;
    facts.system = CollectSystemFacts();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        facts.system.screenWidth = screen->size().width();
        facts.system.screenHeight = screen->size().height();
        facts.system.bitsPerPixel = screen->depth();
    }
    facts.modules = CollectModules();
    facts.controls = controlChain(m_focused);
    m_report += ::BuildReport(facts, m_sections);
    DetailsMemo->setPlainText(m_report);
    DetailsMemo->moveCursor(QTextCursor::Start);
    m_built = true;
    OkBtn->setEnabled(true);
    DetailsBtn->setEnabled(true);
    OkBtn->setFocus();
    QApplication::restoreOverrideCursor();
    emit Built();
}

void ErrorReportDialog::DetailsBtnClick()
{
    fold(!m_unfolded);
}

int ErrorReportDialog::foldedHeight() const
{
    return Bevel1->geometry().bottom() + 1;
}

void ErrorReportDialog::fold(bool unfolded)
{
    DetailsBtn->setText(DetailsCaption(m_detailsCaption, unfolded));
    if (m_unfolded)
        m_unfoldedHeight = height();
    m_unfolded = unfolded;
    DetailsMemo->setVisible(unfolded);
    layout()->activate();
    const int folded = layout()->sizeHint().height();
    if (!unfolded) {
        setFixedHeight(folded);
        return;
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->availableGeometry().height() : 100000;
    setMinimumHeight(std::min(folded + 100, screenHeight));
    setMaximumHeight(screenHeight);
    resize(width(),
           std::clamp(m_unfoldedHeight, folded + 100, std::max(folded + 100, screenHeight)));
}

void ErrorReportDialog::CopyReport()
{
    QApplication::clipboard()->setText(m_message + QStringLiteral("\r\n") + m_report);
    QApplication::beep();
}

bool ErrorReportDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+C anywhere copies message and report, folded or not, selection or not.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            if (event->type() == QEvent::KeyPress)
                CopyReport();
            event->accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ErrorReportDialog::SendReport()
{
    const auto fields = ReportFields(m_report, m_message, m_setup.title, m_setup.version);
    SendBtn->setEnabled(false);
    QPointer<ErrorReportDialog> self(this);
    m_web->PostForm(
        WebHosts::At(m_setup.reportHost, QStringLiteral("/service/Report.ashx/SendErrorReport")),
        fields, [self](TransferOutcome outcome, const QByteArray& answer) {
            if (!self)
                return;
            self->SendBtn->setEnabled(true);
            switch (SendOutcome(outcome == TransferOutcome::Done, answer)) {
            case SendResult::Close:
                self->accept();
                break;
            case SendResult::MessageThenClose:
                self->ShowError(ExceptionStrings().sendFailed);
                if (self)
                    self->accept();
                break;
            case SendResult::MessageAndStayOpen:
                self->ShowError(ExceptionStrings().sendFailed);
                break;
            }
        });
}
