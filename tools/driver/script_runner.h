// Runs a driver script against the program's windows, one line per timer tick, so that
// lines keep running while a modal dialog has its own event loop.
#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
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

    // Parses "Enter", "Ctrl+C", "a" … into a key code, modifiers and the typed text.
    struct KeyStroke {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    static bool ParseKey(const QString& name, KeyStroke& stroke);

signals:
    void finished(int exitCode);

private:
    void next();
    // Runs one line; returns an error text or an empty string.
    QString run(const QString& line);
    void fail(int number, const QString& error, const QString& line);
    QString print(const QStringList& words);
    QString printDialog();
    QString answer(const QString& caption);

    QWidget* findWidget(const QString& name) const;
    QAction* findAction(const QString& name) const;
    void sendKey(QWidget* target, const KeyStroke& stroke);

    QStringList m_lines;
    Output m_out;
    Output m_err;
    int m_next = 0;
    bool m_done = false;
    QString m_mainWindowName = QStringLiteral("Tfrm_calc");
};
