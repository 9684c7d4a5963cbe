#include "app/program.h"
#include "keypad/engine/keypad_page_model.h"
#include "keypad/ui/tape_window.h"
#include "platform/printing.h"
#include "shell/main_window.h"
#include "support/modal_watchdog.h"
#include "support/qt_printers.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString tapeText(TapeWindow& tape)
{
    tape.BuildText();
    return tape.findChild<QTextEdit*>(QStringLiteral("red_rechenstreifen"))->toPlainText();
}

TEST(TapeWindow, ShowsWhatTheTapeSaysChangedAndEndsOnTheLastLine)
{
    TapeWindow window;
    CalculationTape tape;
    tape.TapeAppend(QStringLiteral("12"));
    tape.TapeNewLine(QStringLiteral("+"));
    window.ShowTape(tape); // before the text area exists: kept for later
    tape.TapeAppend(QStringLiteral("3"));
    tape.TapeNewLine(QStringLiteral("*"));
    window.ShowTape(tape);
    EXPECT_EQ(tapeText(window), u"12\n+3\n*");
    tape.TapeAppend(QStringLiteral("4"));
    tape.TapeNewLine(QStringLiteral("=24"));
    tape.TapeNewLine(QString());
    tape.TapeNewLine(QString());
    window.ShowTape(tape);
    EXPECT_EQ(tapeText(window), u"12\n+3\n*4\n=24\n\n");
    tape.TapeAppend(QStringLiteral("7"));
    window.ShowTape(tape);
    EXPECT_EQ(tapeText(window), u"12\n+3\n*4\n=24\n\n7");
    tape.Clear();
    window.ShowTape(tape);
    EXPECT_EQ(tapeText(window), u"");
    tape.TapeAppend(QStringLiteral("5"));
    window.ShowTape(tape);
    EXPECT_EQ(tapeText(window), u"5");
    QStringList many;
    for (int i = 0; i < 200; ++i)
        many << QString::number(i);
    window.show();
    tape.SetLines(many);
    window.ShowTape(tape);
    EXPECT_EQ(tapeText(window), many.join(u'\n'));
    auto* edit = window.findChild<QTextEdit*>(QStringLiteral("red_rechenstreifen"));
    EXPECT_EQ(edit->verticalScrollBar()->value(), edit->verticalScrollBar()->maximum());
    EXPECT_GT(edit->verticalScrollBar()->maximum(), 0);
}

TEST(TapeWindow, FollowsTheMainWindow)
{
    Program program(ProgramOptions{});
    program.Start();
    MainWindow* main = program.MainWindow();
    main->img_rechenstreifen_wechselClick();
    main->move(400, 120);
    QApplication::processEvents();
    const QRect frame = main->frameGeometry();
    EXPECT_EQ(program.TapeWindow()->x(), frame.left() - TapeWindow::ClientWidth);
    EXPECT_EQ(program.TapeWindow()->y(), frame.top() + 110);
}

TEST(TapeWindow, PrintsThroughTheDialogIntoAPdf)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("tape.pdf"));
    Program program(ProgramOptions{});
    program.Start();
    program.Printer().PrintToPdf(pdf);
    program.MainWindow()->Calculator().DigitPressed(4);
    program.MainWindow()->Calculator().OperatorPressed(Operator::Plus);
    program.MainWindow()->Calculator().DigitPressed(5);
    program.MainWindow()->Calculator().OperatorPressed(Operator::Equals);
    program.TapeWindow()->ShowTape(program.MainWindow()->Calculator().Tape());

    // The user confirms the print dialog.
    bool dialogSeen = false;
    ExpectModalDialog expected;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        dialogSeen = dialog != nullptr;
        if (dialog)
            dialog->accept();
    });
    program.TapeWindow()->img_rechenstreifen_druckenClick();
    EXPECT_TRUE(dialogSeen);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // The document's title goes into the PDF's information as UTF-16.
    const QString title = QStringLiteral("Rechenstreifen");
    QByteArray utf16;
    for (QChar c : title)
        utf16 += char(0) + QByteArray(1, char(c.unicode()));
    EXPECT_TRUE(bytes.contains(utf16)) << bytes.left(2000).toStdString();
}

TEST(TapeWindow, CancelledDialogPrintsNothing)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    TextPrinter printer;
    printer.PrintToPdf(pdf);
    ExpectModalDialog expected;
    QTimer::singleShot(0, [] {
        if (auto* dialog = QApplication::activeModalWidget())
            static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_FALSE(printer.Print(nullptr, QStringLiteral("Rechenstreifen"), QStringLiteral("1")));
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace

namespace {

TEST(TapeWindow, SavesAsTextWithTheDateFirstAndCopiesTheLinesTheSelectionTouches)
{
    QTemporaryDir dir;
    Program program(ProgramOptions{});
    program.Start();
    KeypadPageModel& calc = program.MainWindow()->Calculator();
    calc.DigitPressed(4);
    calc.OperatorPressed(Operator::Plus);
    calc.DigitPressed(5);
    calc.OperatorPressed(Operator::Equals);
    TapeWindow& tape = *program.TapeWindow();
    tape.BuildText();
    tape.ShowTape(calc.Tape());

    QString asked = dir.filePath(QStringLiteral("streifen.txt"));
    program.AskTapeFile = [&asked] { return asked; };
    tape.findChild<QAction*>(QStringLiteral("act_rechenstreifen_speichern"))->trigger();
    QFile saved(asked);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), today + QStringLiteral("\n4\n+5\n=9\n\n\n"));
    // A cancelled question writes nothing.
    asked.clear();
    tape.findChild<QAction*>(QStringLiteral("act_rechenstreifen_speichern"))->trigger();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // A selection from inside "+5" to inside "=9" copies both lines whole.
    auto* edit = tape.findChild<QTextEdit*>(QStringLiteral("red_rechenstreifen"));
    QTextCursor cursor(edit->document());
    cursor.setPosition(3);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    QString copied;
    tape.OnCopy = [&copied](const QString& text) { copied = text; };
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copied, u"+5\n=9");

    // A double-click on a result line puts its value into the display; on an operator line
    // it does nothing.
    program.MainWindow()->show();
    tape.show();
    QApplication::processEvents();
    const auto lineAt = [edit](int position) {
        QTextCursor at(edit->document());
        at.setPosition(position);
        return edit->cursorRect(at).center();
    };
    calc.ClearCalculation();
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, lineAt(3));
    EXPECT_EQ(calc.Display().Mantissa, u"");
    QTest::mouseDClick(edit->viewport(), Qt::LeftButton, {}, lineAt(6));
    EXPECT_EQ(calc.Display().Mantissa, u"9");
}

} // namespace
