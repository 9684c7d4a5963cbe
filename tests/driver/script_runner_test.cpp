#include "script_runner.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include "support/modal_watchdog.h"
#include "support/qt_printers.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A small window for the runner to drive, named like the program's controls.
class DriverTest : public testing::Test {
protected:
    DriverTest()
    {
        window.setObjectName(QStringLiteral("Tfrm_calc"));
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        edit->setObjectName(QStringLiteral("edt_text"));
        combo = new QComboBox(&window);
        combo->setObjectName(QStringLiteral("cbo_list"));
        combo->addItems({QStringLiteral("eins"), QStringLiteral("zwei")});
        check = new QCheckBox(QStringLiteral("Ja"), &window);
        check->setObjectName(QStringLiteral("chk_ja"));
        button = new QPushButton(QStringLiteral("Los"), &window);
        button->setObjectName(QStringLiteral("bbn_los"));
        tabs = new QTabWidget(&window);
        tabs->setObjectName(QStringLiteral("pco_main"));
        tabs->addTab(new QWidget, QStringLiteral("A"));
        tabs->addTab(new QWidget, QStringLiteral("B"));
        for (QWidget* w : std::initializer_list<QWidget*>{edit, combo, check, button, tabs})
            layout->addWidget(w);
        window.show();
    }

    // Runs a script to its end and returns its exit code.
    int run(const QString& script)
    {
        ScriptRunner runner(
            script.split(u'\n'), [this](const QString& l) { out << l; },
            [this](const QString& l) { err << l; });
        int code = -1;
        QEventLoop loop;
        QObject::connect(&runner, &ScriptRunner::finished, &loop, [&](int c) {
            code = c;
            loop.quit();
        });
        runner.Start();
        loop.exec();
        return code;
    }

    QWidget window;
    QLineEdit* edit;
    QComboBox* combo;
    QCheckBox* check;
    QPushButton* button;
    QTabWidget* tabs;
    QStringList out;
    QStringList err;
};

TEST_F(DriverTest, TypesKeysAndPrintsTextAsJson)
{
    EXPECT_EQ(run(QStringLiteral("# a comment\n\ntype edt_text a \"b\"\nkey edt_text Backspace\n"
                                 "key edt_text ä\nprint edt_text")),
              0);
    EXPECT_EQ(out, QStringList{QStringLiteral("edt_text=\"a \\\"bä\"")});
}

TEST_F(DriverTest, SelectsChecksAndReadsProperties)
{
    int activated = -1;
    QObject::connect(combo, &QComboBox::activated, combo, [&](int i) { activated = i; });
    EXPECT_EQ(run(QStringLiteral("select cbo_list 1\nselect pco_main 1\ncheck chk_ja 1\n"
                                 "print cbo_list\nprint pco_main index\nprint pco_main count\n"
                                 "print chk_ja\nprint edt_text visible\nprint cbo_list count")),
              0);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(out, (QStringList{
                       QStringLiteral("cbo_list=\"zwei\""), QStringLiteral("pco_main.index=\"1\""),
                       QStringLiteral("pco_main.count=\"2\""), QStringLiteral("chk_ja=\"1\""),
                       QStringLiteral("edt_text.visible=\"1\""),
                       QStringLiteral("cbo_list.count=\"2\"")}));
}

TEST_F(DriverTest, ClicksAndClipboard)
{
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, button, [&] { ++clicks; });
    EXPECT_EQ(
        run(QStringLiteral("click bbn_los\nclick bbn_los\nclipboard 1,5 kg\n"
                           "printclipboard\nfocus edt_text\nkey edt_text Ctrl+V\nprint edt_text")),
        0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(out, (QStringList{QStringLiteral("clipboard=\"1,5 kg\""),
                                QStringLiteral("edt_text=\"1,5 kg\"")}));
}

TEST_F(DriverTest, KeepsRunningWhileAModalDialogIsOpen)
{
    ExpectModalDialog expected;
    QObject::connect(button, &QPushButton::clicked, button, [this] {
        QMessageBox box(QMessageBox::Question, QStringLiteral("Frage"), QStringLiteral("Weiter?"),
                        QMessageBox::Yes | QMessageBox::No, &window);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
        edit->setText(box.exec() == QMessageBox::Yes ? QStringLiteral("ja")
                                                     : QStringLiteral("nein"));
    });
    EXPECT_EQ(run(QStringLiteral("printdialog\nclick bbn_los\nprintdialog\nanswer Nein\n"
                                 "wait 10\nprint edt_text\nprintdialog")),
              0);
    ASSERT_EQ(out.size(), 4);
    EXPECT_EQ(out[0], u"dialog=null");
    EXPECT_TRUE(
        out[1].startsWith(u"dialog={\"caption\":\"Frage\",\"text\":\"Weiter?\",\"buttons\":["));
    EXPECT_TRUE(out[1].contains(u"\"Ja\"") && out[1].contains(u"\"Nein\""));
    EXPECT_EQ(out[2], u"edt_text=\"nein\"");
    EXPECT_EQ(out[3], u"dialog=null");
}

// The first key opens the cell editor, the following keys and Backspace go to the editor, and
// Enter writes the text into the cell, as a user's keys would.
TEST_F(DriverTest, TypesIntoAGridCellThroughItsEditor)
{
    QTableWidget grid(2, 2);
    grid.setObjectName(QStringLiteral("sgr_01_test"));
    grid.setItem(1, 0, new QTableWidgetItem(QStringLiteral("alt")));
    grid.show();
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    EXPECT_EQ(run(QStringLiteral("cell sgr_01_test 1 0\ntype sgr_01_test 12,5\n"
                                 "printcell sgr_01_test 1 0\nkey sgr_01_test Backspace\n"
                                 "key sgr_01_test Enter\nprintcell sgr_01_test 1 0")),
              0);
    EXPECT_EQ(out, (QStringList{QStringLiteral("sgr_01_test[1,0]=\"alt\""),
                                QStringLiteral("sgr_01_test[1,0]=\"12,\"")}));
}

// A dialog that opens unannounced fails the running test and is closed, so that the test
// goes on instead of waiting for an answer.
TEST(ModalWatchdog, FailsTheTestAndClosesAnUnexpectedDialog)
{
    // Should the watchdog not close the dialog, this does, and the test fails below.
    bool rescued = false;
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, &rescue, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            rescued = true;
            dialog->reject();
        }
    });
    rescue.start(5000);
    EXPECT_NONFATAL_FAILURE(QMessageBox::warning(nullptr, QStringLiteral("Quorvanta - Fehler"),
                                                 QStringLiteral("Datei fehlt")),
                            "unexpected modal dialog \"Quorvanta - Fehler\": Datei fehlt");
    EXPECT_FALSE(rescued);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(DriverTest, UnknownLinesAndNamesStopWithTheLineNumber)
{
    EXPECT_EQ(run(QStringLiteral("print edt_text\nprint nothing_here")), 1);
    EXPECT_EQ(err, QStringList{QStringLiteral("line 2: unknown name: print nothing_here")});
    err.clear();
    EXPECT_EQ(run(QStringLiteral("\nfly edt_text")), 1);
    EXPECT_EQ(err, QStringList{QStringLiteral("line 2: unknown line: fly edt_text")});
    err.clear();
    EXPECT_EQ(run(QStringLiteral("key edt_text F13")), 1);
    EXPECT_EQ(run(QStringLiteral("print edt_text nosuchproperty")), 1);
}

TEST_F(DriverTest, ShotWritesAPng)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.png"));
    EXPECT_EQ(run(QStringLiteral("shot ") + file), 0);
    QImage image(file);
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window.size() * window.devicePixelRatio());
}

TEST(DriverKeys, NamesAndCharacters)
{
    ScriptRunner::KeyStroke stroke;
    ASSERT_TRUE(ScriptRunner::ParseKey(QStringLiteral("Ctrl+c"), stroke));
    EXPECT_EQ(stroke.key, int(Qt::Key_C));
    EXPECT_EQ(stroke.modifiers, Qt::ControlModifier);
    ASSERT_TRUE(ScriptRunner::ParseKey(QStringLiteral("Enter"), stroke));
    EXPECT_EQ(stroke.key, int(Qt::Key_Return));
    ASSERT_TRUE(ScriptRunner::ParseKey(QStringLiteral("°"), stroke));
    EXPECT_EQ(stroke.text, u"°");
    EXPECT_FALSE(ScriptRunner::ParseKey(QStringLiteral("Ctrl+1"), stroke));
    EXPECT_FALSE(ScriptRunner::ParseKey(QStringLiteral("Shift"), stroke));
    // A NUL or another control character is no key a user types.
    EXPECT_FALSE(ScriptRunner::ParseKey(QString(QChar(u'\0')), stroke));
    EXPECT_FALSE(ScriptRunner::ParseKey(QStringLiteral("\x01"), stroke));
}

} // namespace
