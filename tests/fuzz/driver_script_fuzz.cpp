// The driver's script lines, whatever they hold, against a small window: every script ends,
// with 0 after its last line or 1 and one "line N: …" error, and every printed line is
// NAME=VALUE. Lines that write files, wait or make a button throw on purpose are left out.
#include "fuzz_target.h"

#include "script_runner.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

struct Window {
    QWidget top;
    QLineEdit* edit = new QLineEdit(&top);
    QComboBox* combo = new QComboBox(&top);
    QCheckBox* check = new QCheckBox(&top);
    QTableWidget* grid = new QTableWidget(3, 2, &top);
    Window()
    {
        top.setObjectName(QStringLiteral("frm"));
        edit->setObjectName(QStringLiteral("edt"));
        combo->setObjectName(QStringLiteral("cbo"));
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        check->setObjectName(QStringLiteral("chk"));
        grid->setObjectName(QStringLiteral("sgr"));
        auto* button = new QPushButton(QStringLiteral("ok"), &top);
        button->setObjectName(QStringLiteral("btn"));
        auto* action = new QAction(&top);
        action->setObjectName(QStringLiteral("act"));
        auto* layout = new QVBoxLayout(&top);
        for (QWidget* w : std::initializer_list<QWidget*>{edit, combo, check, grid, button})
            layout->addWidget(w);
        // Not shown: painting the window after every key took a fifth of the time, and the
        // lines find, click and type into hidden widgets just the same.
    }
};

// Made once and never destroyed, like the application: the platform is gone at exit.
Window& window()
{
    static Window* w = new Window;
    return *w;
}

} // namespace

#ifndef QUORVANTA_FUZZ_REPLAY
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    return 0;
}
#endif

FUZZ_TARGET(driver_script)
{
    const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList lines;
    for (const QString& line : script.split(u'\n').mid(0, 4)) {
        const QString command = line.trimmed().section(u' ', 0, 0);
        // `fault` arms a button to throw on its next click, on purpose; armed and never
        // clicked, its connections would pile up on the window every run keeps.
        if (command != u"shot" && command != u"wait" && command != u"fault")
            lines.append(line);
        for (const QString& word : line.split(u' ')) {
            ScriptRunner::KeyStroke stroke;
            if (ScriptRunner::ParseKey(word, stroke))
                FUZZ_CHECK(stroke.key != 0, word);
        }
    }
    Window& w = window();
    // setText, not clear: clearing is a step the field can undo, and the undo history would
    // grow across every run.
    w.edit->setText(QString());
    w.grid->clearContents();
    // A list gathers typed letters into one search while keys come faster than a person's;
    // the fuzzer's always do, and the search text would grow with every run.
    w.grid->keyboardSearch(QString());
    w.combo->view()->keyboardSearch(QString());

    QStringList out;
    QStringList err;
    ScriptRunner runner(
        lines, [&](const QString& l) { out.append(l); }, [&](const QString& l) { err.append(l); });
    int exitCode = -1;
    QEventLoop loop;
    QObject::connect(&runner, &ScriptRunner::finished, &loop, [&](int code) {
        exitCode = code;
        loop.quit();
    });
    // A timer of its own, gone with the run: a single shot tied to the loop would stay in
    // the thread's timer list until a later event loop deletes it, and the list would grow.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
    guard.start(5000);
    runner.Start();
    loop.exec();
    FUZZ_CHECK(exitCode == 0 || exitCode == 1, script);
    FUZZ_CHECK(err.size() == (exitCode == 1 ? 1 : 0), script);
    static const QRegularExpression error(QStringLiteral("^line \\d+: "));
    for (const QString& l : err)
        FUZZ_CHECK(error.match(l).hasMatch(), l);
    for (const QString& l : out)
        FUZZ_CHECK(l.indexOf(u'=') > 0, l);
    return 0;
}
