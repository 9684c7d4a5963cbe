#include "message_dialog.h"

#include "calculator/control_texts.h"
#include "message_icons.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {
constexpr int kIconSize = 32;
constexpr int kMargin = 15;    // around the icon, unscaled like the label's top
constexpr int kLabelLeft = 62; // the text starts right of the icon
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kSizeTextFlags = Qt::TextWordWrap | Qt::AlignHCenter;

const char* const kIconNames[4] = {"img_meldung", "img_problem", "img_fehler", "img_abfrage"};
} // namespace

MessageDialog::MessageDialog(UserFeedback& sounds, QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_sounds(sounds),
      m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Tfrm_meldung"));
    setProperty(ReportedClassNameProperty, QStringLiteral("Tfrm_meldung"));
    // Closing a message never ends the program, even while the main window is hidden.
    setAttribute(Qt::WA_QuitOnClose, false);
    EndProgram = [] { QCoreApplication::exit(0); };

    for (int i = 0; i < 4; ++i) {
        auto* icon = new QLabel(this);
        icon->setObjectName(QString::fromLatin1(kIconNames[i]));
        icon->setPixmap(QPixmap::fromImage(DrawMessageIcon(MessageIcon(i), kIconSize)));
        icon->setGeometry(kMargin, kMargin, kIconSize, kIconSize);
        icon->hide();
        m_icons[i] = icon;
    }
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("lbl_meldung"));
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_text->setWordWrap(true);
    m_text->installEventFilter(this);

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("bbn_ok"));
    m_no = new QPushButton(this);
    m_no->setObjectName(QStringLiteral("bbn_nein"));
    for (QPushButton* button : {m_ok, m_no}) {
        button->resize(kButtonWidth, kButtonHeight);
        button->installEventFilter(this);
    }
    connect(m_ok, &QPushButton::clicked, this, &MessageDialog::bbn_okClick);
    connect(m_no, &QPushButton::clicked, this, &MessageDialog::bbn_neinClick);
}

QString MessageDialog::MessageText() const
{
    return m_text->text();
}

void MessageDialog::SetMessageText(const QString& text)
{
    m_text->setText(text);
}

void MessageDialog::showEvent(QShowEvent* event)
{
    // A window system showing the dialog again (after a minimize) is no new message.
    if (event->spontaneous()) {
        QDialog::showEvent(event);
        return;
    }
    m_open = true;
    m_savedPointer = QCursor::pos();
    const MessageKindLook look = LookOf(Kind);
    setWindowTitle(Texts.Caption(Kind));
    for (int i = 0; i < 4; ++i)
        m_icons[i]->setVisible(MessageIcon(i) == look.icon);
    if (look.sound != 0)
        m_sounds.ErrorSignal(look.sound);

    m_ok->setVisible(look.buttons != MessageButtons::None);
    m_no->setVisible(look.buttons == MessageButtons::OkAndNo);
    if (look.buttons == MessageButtons::OkAndNo) {
        m_ok->setText(YesCaption.isEmpty() ? Texts.OkCaption(Kind) : YesCaption);
        m_no->setText(NoCaption.isEmpty() ? Texts.NoCaption() : NoCaption);
    } else {
        m_ok->setText(Texts.OkCaption(Kind));
    }
    layOut(look);
    QDialog::showEvent(event);

    QPushButton* focused = nullptr;
    if (look.buttons == MessageButtons::OkAndNo)
        focused = Answer ? m_ok : m_no;
    else if (look.buttons == MessageButtons::Ok)
        focused = m_ok;
    if (focused) {
        focused->setDefault(true);
        focused->setFocus();
        pointAt(focused);
    }
}

void MessageDialog::layOut(const MessageKindLook& look)
{
    const double scale = (m_mainWindow ? m_mainWindow->logicalDpiX() : logicalDpiX()) / 96.0;
    const QRect wrapped = m_text->fontMetrics().boundingRect(
        QRect(0, 0, MessageLabelMaxWidth, 100000), kSizeTextFlags, m_text->text());
    MessageLayoutInput in;
    in.scale = scale;
    in.labelLeft = int(kLabelLeft * scale + 0.5);
    in.label = QSize(std::clamp(wrapped.width(), MessageLabelMinWidth, MessageLabelMaxWidth),
                     wrapped.height());
    in.ok = m_ok->size();
    in.no = m_no->size();
    in.buttons = look.buttons;
    const MessageLayout layout = LayOutMessage(in);
    m_text->setGeometry(layout.label);
    if (!layout.ok.isEmpty())
        m_ok->setGeometry(layout.ok);
    if (!layout.no.isEmpty())
        m_no->setGeometry(layout.no);
    setFixedSize(layout.client);
    // Centred on the main window, across its width and down its client area.
    if (m_mainWindow && m_mainWindow->isVisible()) {
        const QRect main = m_mainWindow->geometry();
        move(main.center() - QPoint(layout.client.width() / 2, layout.client.height() / 2));
    } else if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() -
             QPoint(layout.client.width() / 2, layout.client.height() / 2));
    }
}

void MessageDialog::pointAt(QPushButton* button)
{
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
}

QString MessageDialog::visibleCaption(QPushButton* button) const
{
    return button->isVisibleTo(this) ? button->text() : QString();
}

void MessageDialog::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty()) {
        // Tab and the arrows move between the buttons; other keys without a character pass.
        QWidget::keyPressEvent(event);
        return;
    }
    switch (KeyEffect(text.front(), visibleCaption(m_ok), visibleCaption(m_no))) {
    case MessageKeyEffect::Nothing:
        break;
    case MessageKeyEffect::PressOk:
        m_ok->click();
        break;
    case MessageKeyEffect::PressNo:
        m_no->click();
        break;
    case MessageKeyEffect::RefuseWithSound:
        m_sounds.ErrorSignal(RefusedKeySound);
        break;
    }
    event->accept();
}

bool MessageDialog::eventFilter(QObject* watched, QEvent* event)
{
    const bool button = watched == m_ok || watched == m_no;
    if (button && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
        return true; // a blank answers nothing, not even on a focused button
    if (button && event->type() == QEvent::FocusIn && isVisible())
        pointAt(static_cast<QPushButton*>(watched));
    if (watched == m_text && event->type() == QEvent::MouseButtonDblClick)
        lbl_meldungDblClick();
    return QDialog::eventFilter(watched, event);
}

void MessageDialog::bbn_okClick()
{
    Answer = true;
    done(Accepted);
}

void MessageDialog::bbn_neinClick()
{
    Answer = false;
    done(Rejected);
}

void MessageDialog::lbl_meldungDblClick()
{
    if (Kind != MessageKind::Error)
        return;
    done(Rejected);
    if (EndProgram)
        EndProgram();
}

void MessageDialog::done(int result)
{
    if (m_open) {
        m_open = false;
        YesCaption.clear();
        NoCaption.clear();
        if (int(Kind) > 0)
            QCursor::setPos(m_savedPointer);
    }
    QDialog::done(result);
}

MessageDialogService::MessageDialogService(UserFeedback& sounds, QWidget* mainWindow)
    : m_sounds(sounds), m_mainWindow(mainWindow)
{}

MessageDialogService::~MessageDialogService() = default;

MessageDialog& MessageDialogService::Dialog()
{
    if (!m_dialog)
        m_dialog = std::make_unique<MessageDialog>(m_sounds, m_mainWindow);
    return *m_dialog;
}

bool MessageDialogService::ShowMessage(MessageKind kind, const QString& text)
{
    if (kind == MessageKind::Close) {
        if (m_dialog) {
            m_dialog->Kind = MessageKind::Close;
            m_dialog->done(QDialog::Rejected);
        }
        return m_dialog && m_dialog->Answer;
    }
    MessageDialog& dialog = Dialog();
    if (dialog.isVisible()) {
        // The message shown now goes; captions the caller set for the new one stay.
        const QString yes = dialog.YesCaption, no = dialog.NoCaption;
        dialog.done(QDialog::Rejected);
        dialog.YesCaption = yes;
        dialog.NoCaption = no;
    }
    dialog.Kind = kind;
    dialog.SetMessageText(text);
    if (LookOf(kind).modal) {
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.exec();
    } else {
        dialog.setWindowModality(Qt::NonModal);
        dialog.show();
        // Painted now: the caller may go on working before the event loop runs again.
        dialog.repaint();
    }
    return dialog.Answer;
}

void MessageDialogService::SetQuestionCaptions(const QString& yes, const QString& no)
{
    Dialog().YesCaption = yes;
    Dialog().NoCaption = no;
}

void MessageDialogService::SetAnswer(bool yes)
{
    Dialog().Answer = yes;
}

void MessageDialogService::ShowPlainMessage(const ProgramMessage& message)
{
    QMessageBox::critical(m_mainWindow, message.caption, message.text);
}
