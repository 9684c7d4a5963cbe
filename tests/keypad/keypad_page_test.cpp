#include "common/calc_display.h"
#include "common/mc_strings.h"
#include "keypad/engine/keypad_page_model.h"
#include "keypad/engine/keypad_table.h"
#include "keypad/ui/keypad_page.h"
#include "support/modal_watchdog.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"
#include "widgets/image_button.h"
#include "widgets/memory_grid.h"

#include "platform/program_folder.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class KeypadPageTest : public testing::Test {
protected:
    KeypadPageTest()
    {
        page.show();
        page.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&page));
        page.FocusResult();
    }

    void click(const char* name)
    {
        auto* key = page.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(key, nullptr) << name;
        QTest::mouseClick(key, Qt::LeftButton);
    }
    QString text(const char* name)
    {
        auto* edit = page.findChild<QLineEdit*>(QString::fromLatin1(name));
        return edit ? edit->text() : QStringLiteral("<none>");
    }

    CalcDisplay display;
    RecordingServices services;
    KeypadPageModel calc{display, {services, services}};
    ImageButtonEffect effect;
    McStrings texts;
    ControlTexts controlTexts = KeypadControlTexts();
    KeypadPage page{calc, effect, texts, controlTexts};
};

TEST_F(KeypadPageTest, EveryKeyOfTheTableExistsWithItsHint)
{
    for (const KeypadKey& key : KeypadKeys()) {
        auto* button = page.findChild<ImageButton*>(QString::fromLatin1(key.objectName));
        ASSERT_NE(button, nullptr) << key.objectName;
        if (*key.hint) {
            EXPECT_EQ(button->toolTip(), QString::fromUtf8(key.hint));
        }
        EXPECT_TRUE(page.rect().contains(button->geometry())) << key.objectName;
        // The number in an operator key's name is still the operator it runs.
        if (key.kind == KeyKind::Operator) {
            EXPECT_EQ(OperatorFromKeyName(QString::fromLatin1(key.objectName)), key.op)
                << key.objectName;
        }
    }
}

TEST_F(KeypadPageTest, ClickedKeysCalculate)
{
    for (const char* key : {"img_ziffer1", "img_ziffer2", "spb_operator01_plus", "img_ziffer3",
                            "spb_operator03_mal", "img_ziffer4", "img_operator00_gleich"})
        click(key);
    EXPECT_EQ(text("edt_result"), u"24");
    EXPECT_EQ(text("edt_result_normal"), u"12+3*4=24");
}

TEST_F(KeypadPageTest, TypedKeysCalculate)
{
    auto* result = page.findChild<QLineEdit*>(QStringLiteral("edt_result"));
    QTest::keyClicks(result, QStringLiteral("7*6"));
    QTest::keyClick(result, Qt::Key_Return);
    EXPECT_EQ(text("edt_result"), u"42");
    EXPECT_EQ(text("edt_result_normal"), u"7*6=42");
    QTest::keyClick(result, Qt::Key_Escape);
    EXPECT_EQ(text("edt_result"), u"");
}

TEST_F(KeypadPageTest, FixKeyThenDigitSetsTheDecimals)
{
    auto* indicator = page.findChild<QLabel*>(QStringLiteral("lbl_fix_anzeige"));
    EXPECT_EQ(indicator->text(), u"9");
    click("img_fix");
    EXPECT_EQ(text("edt_result_normal"), u"Anzahl der Nachkommastellen");
    click("img_ziffer4");
    EXPECT_EQ(indicator->text(), u"4");
    EXPECT_EQ(text("edt_result_normal"), u"");
    click("img_fix");
    QTest::keyClick(page.findChild<QLineEdit*>(QStringLiteral("edt_result")), ',');
    EXPECT_EQ(indicator->text(), u"~");
}

TEST_F(KeypadPageTest, MemoryKeysUseTheSelectedRow)
{
    auto* grid = page.MemoryGrid();
    for (const char* key :
         {"img_ziffer5", "spb_operator04_geteilt", "img_ziffer2", "img_operator00_gleich"})
        click(key);
    grid->SetCurrentCell(2, 1);
    click("img_in");
    EXPECT_EQ(grid->CellText(2, 1), u"2.5");
    EXPECT_EQ(grid->CellText(2, 0), u"3");
    click("jmg_clear");
    click("img_out");
    EXPECT_EQ(text("edt_result"), u"2.500000000");
    click("img_clear");
    EXPECT_EQ(grid->CellText(2, 1), u"");
}

// The grid moves its current cell as a table does: arrows stop at the edges, Tab goes row by
// row and round to the first cell, a click takes the cell under the pointer.
TEST_F(KeypadPageTest, MemoryGridMovesItsCurrentCellByKeysAndClicks)
{
    auto* grid = page.MemoryGrid();
    grid->setFocus();
    const auto at = [grid] { return std::pair(grid->CurrentRow(), grid->CurrentColumn()); };
    EXPECT_EQ(at(), std::pair(0, 1));
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::pair<int, int> cell;
    } steps[] = {
        {Qt::Key_Up, {}, {0, 1}},
        {Qt::Key_Right, {}, {0, 1}},
        {Qt::Key_Left, {}, {0, 0}},
        {Qt::Key_Down, {}, {1, 0}},
        {Qt::Key_End, Qt::ControlModifier, {19, 1}},
        {Qt::Key_Down, {}, {19, 1}},
        {Qt::Key_Tab, {}, {0, 0}},
        {Qt::Key_Tab, Qt::ShiftModifier, {19, 1}},
        {Qt::Key_Home, {}, {19, 0}},
        {Qt::Key_PageUp, {}, {0, 0}},
    };
    for (const auto& step : steps) {
        QTest::keyClick(grid, step.key, step.modifiers);
        EXPECT_EQ(at(), step.cell)
            << QKeySequence(step.key | step.modifiers).toString().toStdString();
    }
    EXPECT_TRUE(grid->hasFocus());
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(7, 0).center());
    EXPECT_EQ(at(), std::pair(7, 0));
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->CellRect(12, 1).topLeft());
    EXPECT_EQ(at(), std::pair(12, 1));
}

TEST_F(KeypadPageTest, TypedKeyPlaysThePressOnItsImage)
{
    auto* seven = page.findChild<ImageButton*>(QStringLiteral("img_ziffer7"));
    QTest::keyClick(page.findChild<QLineEdit*>(QStringLiteral("edt_result")), '7');
    EXPECT_EQ(seven->CurrentFrame(), ImageButton::Frame::Pressed);
    EXPECT_TRUE(QTest::qWaitFor(
        [seven] { return seven->CurrentFrame() == ImageButton::Frame::Flat; }, 2000));
}

TEST_F(KeypadPageTest, BrokenLampFilesAreReportedAndTheModeIsSetAllTheSame)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("images"));
    for (const char* name : {"images/on1.cc1", "images/off1.cc1"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BM\xff\xff\xff\x7f garbage that is no bitmap");
    }
    ProgramFolder::SetPath(dir.path());
    QString message;
    ExpectModalDialog expected;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            message = box->windowTitle() + u'|' + box->text();
            box->accept();
        }
    });
    page.rbo_radClick();
    ProgramFolder::SetPath(QString());
    EXPECT_EQ(message, u"Quorvanta - Fehler|Einige Programmdateien konnten nicht gefunden werden. "
                       u"Bitte installieren Sie das Programm neu.3");
    EXPECT_EQ(calc.GetAngleMode(), AngleMode::Radians);
    EXPECT_TRUE(page.findChild<ImageButton*>(QStringLiteral("img_rad"))->isChecked());
}

TEST(ImageButtonEffect, RaisedUnderTheMouseFlatWhenLeft)
{
    ImageButtonEffect effect;
    ImageButton a(QStringLiteral("a"));
    ImageButton b(QStringLiteral("b"));
    effect.MouseMove(&a);
    EXPECT_EQ(a.CurrentFrame(), ImageButton::Frame::Raised);
    effect.MouseMove(&b);
    EXPECT_EQ(a.CurrentFrame(), ImageButton::Frame::Flat);
    EXPECT_EQ(b.CurrentFrame(), ImageButton::Frame::Raised);
    effect.MouseDown(&b);
    EXPECT_EQ(b.CurrentFrame(), ImageButton::Frame::Pressed);
    effect.MouseUp(&b);
    EXPECT_EQ(b.CurrentFrame(), ImageButton::Frame::Flat);
    effect.MouseMove(&b);
    EXPECT_EQ(b.CurrentFrame(), ImageButton::Frame::Raised);
    effect.DrawFlat();
    EXPECT_EQ(b.CurrentFrame(), ImageButton::Frame::Flat);
}

} // namespace
