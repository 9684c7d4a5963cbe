// MessageDialog, the program's own message dialog, and the MessageSink that shows it: one
// dialog, made on first use and reused, for notices that stay up while the program works on,
// errors, modal notices with "Weiter" and yes/no questions. Its rules are in message_rules.h;
// this is only the window.
#pragma once

#include "calculator/services.h"
#include "shell/message_rules.h"

#include <QDialog>
#include <QPoint>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

class MessageDialog : public QDialog {
    Q_OBJECT
    Q_PROPERTY(QString messageText READ MessageText)
public:
    // Sounds go through `sounds` (sound n as error signal n). The dialog stays above
    // `mainWindow` and is centred on it.
    MessageDialog(UserFeedback& sounds, QWidget* mainWindow);

    MessageKind Kind = MessageKind::Notice;
    // true after bbn_ok, false after bbn_nein; a question starts with the focus on its button.
    bool Answer = false;
    // The caller's captions for a question's buttons; cleared when the dialog closes.
    QString YesCaption;
    QString NoCaption;
    MessageDialogTexts Texts = MessageDialogTexts::GermanDefaults();
    // A double click on an error's text ends the program at once.
    std::function<void()> EndProgram;

    QString MessageText() const;
    void SetMessageText(const QString& text);

    void bbn_okClick();
    void bbn_neinClick();
    void lbl_meldungDblClick();

    // Closes the dialog as its buttons do, without an answer.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut(const MessageKindLook& look);
    void pointAt(QPushButton* button);
    QString visibleCaption(QPushButton* button) const;

    UserFeedback& m_sounds;
    QWidget* m_mainWindow;
    QLabel* m_text = nullptr; // lbl_meldung
    QLabel* m_icons[4] = {};  // img_meldung, img_problem, img_fehler, img_abfrage
    QPushButton* m_ok = nullptr;
    QPushButton* m_no = nullptr;
    QPoint m_savedPointer;
    bool m_open = false; // between showing and closing
};

class MessageDialogService : public MessageSink {
public:
    MessageDialogService(UserFeedback& sounds, QWidget* mainWindow);
    ~MessageDialogService() override;

    bool ShowMessage(MessageKind kind, const QString& text) override;
    void SetQuestionCaptions(const QString& yes, const QString& no) override;
    void SetAnswer(bool yes) override;
    void ShowPlainMessage(const ProgramMessage& message) override;

    // The dialog; made on first use.
    MessageDialog& Dialog();
    bool DialogExists() const { return m_dialog != nullptr; }

private:
    UserFeedback& m_sounds;
    QWidget* m_mainWindow;
    std::unique_ptr<MessageDialog> m_dialog;
};
