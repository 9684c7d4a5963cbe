// How every part of the program shows its messages, without knowing the dialog behind them.
// The main window hands one MessageSink to the pages; tests use a stand-in.
#pragma once

#include "common/mc_strings.h"

#include <QString>

// The kinds of the program's message dialog. A negative kind is the same kind shown modally,
// with a "Weiter" button.
enum class MessageKind {
    Close = 0,    // closes the dialog, whatever it shows
    Notice = 1,   // "Hinweis", stays up while the caller works on
    Warning = 2,  // "Warnung", likewise
    Problem = 3,  // "Problem", likewise
    Error = 4,    // "Fehler", modal with "OK"
    Question = 5, // "Frage", modal with "ja" and "nein"
    NoticeModal = -1,
    WarningModal = -2,
    ProblemModal = -3,
};

class MessageSink {
public:
    virtual ~MessageSink() = default;

    // Shows the one message dialog with `text`, replacing what it shows, or closes it (Close).
    // A modal kind returns once answered: true for the first button ("ja", "OK", "Weiter"),
    // false for "nein". A notice returns at once, and the caller closes it later.
    virtual bool ShowMessage(MessageKind kind, const QString& text) = 0;
    // Captions of the next question's two buttons in place of "ja" and "nein"; they are
    // forgotten when the dialog closes. Their first letters answer the question.
    virtual void SetQuestionCaptions(const QString& yes, const QString& no) = 0;
    // The answer a question starts from: its button takes the focus.
    virtual void SetAnswer(bool yes) = 0;
    // The plain box of the desktop with an OK button, for messages such as missing program
    // files that must show even when the program's own files are gone.
    virtual void ShowPlainMessage(const ProgramMessage& message) = 0;
};
