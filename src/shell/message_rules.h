// The rules of the MessageDialog, apart from any window: what each kind shows
// and plays, how a typed key answers, where label and buttons go, and the sound files.
#pragma once

#include "shell/message_sink.h"

#include <QRect>
#include <QSize>
#include <QStringList>

#include <optional>

// The four pictures of the dialog, named after their controls.
enum class MessageIcon { Meldung, Problem, Fehler, Abfrage }; // img_meldung, img_problem, …
enum class MessageButtons { None, Ok, OkAndNo };

struct MessageKindLook {
    int captionEntry; // entry of "t_ueber"
    MessageIcon icon;
    int sound; // sound number, 0 for none
    MessageButtons buttons;
    bool modal;
};

// The kind for a number of the table (-3 … 5); nothing for any other number.
std::optional<MessageKind> MessageKindFromNumber(int number);
// What a kind other than Close shows.
MessageKindLook LookOf(MessageKind kind);

// The dialog's runtime text arrays, German until a translation fills them.
struct MessageDialogTexts {
    QStringList t_ueber;          // "Hinweis", "Warnung", "Problem", "Fehler", "Frage"
    QStringList ausgabe_wmeldung; // "Ausnahmefehler", "Weiter", "OK"
    QStringList ja_nein;          // "nein", "ja"

    static MessageDialogTexts GermanDefaults();

    QString Caption(MessageKind kind) const;
    // bbn_ok's caption: "Weiter" for the modal notices, "OK" for an error, "ja" for a question.
    QString OkCaption(MessageKind kind) const;
    QString NoCaption() const;
};

// What a typed character does in the dialog. Captions of hidden buttons are empty.
enum class MessageKeyEffect { Nothing, PressOk, PressNo, RefuseWithSound };
MessageKeyEffect KeyEffect(QChar key, const QString& okCaption, const QString& noCaption);
// The sound a refused key plays.
inline constexpr int RefusedKeySound = 1;

// Places label and buttons. Sizes are in pixels; `scale` is the main window's pixels per inch
// over 96, and s(x) below means x scaled and rounded.
struct MessageLayoutInput {
    double scale = 1.0;
    int labelLeft = 0;
    QSize label; // the message text as wrapped, 240 … 600 pixels wide
    QSize ok;    // bbn_ok's size
    QSize no;    // bbn_nein's size
    MessageButtons buttons = MessageButtons::None;
};
struct MessageLayout {
    QSize client;
    QRect label;
    QRect ok; // empty for a hidden button
    QRect no;
};
MessageLayout LayOutMessage(const MessageLayoutInput& in);

// The message label's width limits.
inline constexpr int MessageLabelMinWidth = 240;
inline constexpr int MessageLabelMaxWidth = 600;

// The wave file of sound n: 1 "hammer.wav", 2 "error.wav", 3 "explos.wav", 4 "hinweis.wav";
// every other number plays "hinweis.wav".
QString SoundFileName(int n);

// The program's version as "major.minor.release", with ".build" when asked; missing numbers
// count as 0.
QString FileVersionText(const QString& version, bool withBuild);
// The same for this build's version.
QString ProgramVersionText(bool withBuild);
