// Runs a driver script against the program's windows, one line per turn of the event loop, so
// that lines keep running while a modal dialog has its own event loop.
#pragma once

#include "shell/message_sink.h"

#include <QEvent>
#include <QModelIndex>
#include <QObject>
#include <QStringList>

#include <functional>
#include <span>

class QAction;
class QTimer;
class QWidget;

class ScriptRunner : public QObject {
    Q_OBJECT
public:
    using Output = std::function<void(const QString& line)>;

    ScriptRunner(QStringList lines, Output out, Output err, QObject* parent = nullptr);

    // Starts with the first line on the next turn of the event loop.
    void Start();

    // The window `shot FILE` saves when no NAME is given.
    void SetMainWindowName(const QString& name) { m_mainWindowName = name; }
    // `message KIND TEXT` shows the program's message dialog through this; a modal kind
    // returns the answer, which the line prints.
    std::function<bool(MessageKind kind, const QString& text)> ShowMessage;

    // Parses "Enter", "Ctrl+C", "a" … into a key code, modifiers and the typed text.
    struct KeyStroke {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    static bool ParseKey(const QString& name, KeyStroke& stroke);

signals:
    void finished(int exitCode);

protected:
    void customEvent(QEvent* event) override;

private:
    // What a line's arguments are; one reader per shape turns them into a Call, so that
    // every line of a shape reports a wrong argument with the same words.
    enum class Shape {
        Words,        // the handler reads the words itself
        Text,         // COMMAND TEXT: the rest of the line, blanks included
        Name,         // COMMAND NAME …: a widget
        NameText,     // COMMAND NAME TEXT
        Cell,         // COMMAND NAME ROW COL: a cell of a grid
        Action,       // COMMAND NAME: a menu action
        Milliseconds, // COMMAND MS
    };
    struct Call {
        QStringList words; // words[0] is the command
        QString text;
        QWidget* widget = nullptr;
        QAction* action = nullptr;
        QModelIndex cell; // of an item view; invalid for a painted grid
        int row = -1;
        int column = -1;
        int milliseconds = 0;
    };
    struct Command {
        const char* name;
        Shape shape;
        // Returns an error text or an empty string.
        QString (*run)(ScriptRunner& runner, const Call& call);
        // A line that schedules the next line itself; every other line has the next line
        // scheduled before it runs.
        bool schedulesNext = false;
    };
    static std::span<const Command> commands();

    void next();
    void scheduleNext();
    static QEvent::Type nextLineEvent();
    QString read(const Command& command, const QString& line, Call& call) const;
    void fail(int number, const QString& error, const QString& line);

    QWidget* findWidget(const QString& name) const;
    QAction* findAction(const QString& name) const;
    QTimer* findTimer(const QString& name) const;
    void sendKey(QWidget* w, const KeyStroke& stroke);
    void focusForKeys(QWidget* w);

    QStringList m_lines;
    Output m_out;
    Output m_err;
    int m_next = 0;
    bool m_done = false;
    QString m_mainWindowName = QStringLiteral("Tfrm_calc");
};
