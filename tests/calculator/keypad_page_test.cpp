#include "calculator/calc_display.h"
#include "calculator/keypad_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(KeypadPage, FixKeyThenDigitSetsTheDecimals)
{
    CalcDisplay display;
    KeypadPage page(display);
    page.show();
    page.activateWindow();
    auto* fix = page.findChild<QWidget*>(QStringLiteral("img_fix"));
    auto* result = page.findChild<QLineEdit*>(QStringLiteral("edt_result"));
    auto* expression = page.findChild<QLineEdit*>(QStringLiteral("edt_result_normal"));
    auto* indicator = page.findChild<QLabel*>(QStringLiteral("lbl_fix_anzeige"));
    ASSERT_TRUE(fix && result && expression && indicator);
    EXPECT_EQ(indicator->text(), u"9");

    QTest::mouseClick(fix, Qt::LeftButton);
    EXPECT_EQ(expression->text(), u"Anzahl der Nachkommastellen");
    QTest::keyClick(result, '4');
    EXPECT_EQ(display.FixDecimals, 4);
    EXPECT_EQ(indicator->text(), u"4");
    EXPECT_EQ(result->text(), u"");
    EXPECT_EQ(expression->text(), u"");

    QTest::mouseClick(fix, Qt::LeftButton);
    QTest::keyClick(result, ',');
    EXPECT_EQ(indicator->text(), u"~");
}

TEST(KeypadPage, ShowsWhatTheDisplayHolds)
{
    CalcDisplay display;
    KeypadPage page(display);
    display.ShowNumber(ResultText(1.5e20));
    page.Refresh();
    EXPECT_EQ(page.findChild<QLineEdit*>(QStringLiteral("edt_result"))->text(), u"1.500000000");
    EXPECT_EQ(page.findChild<QLineEdit*>(QStringLiteral("edt_result10hoch"))->text(), u"20");
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("lbl_10hoch"))->text(), u"* 10^");
}

} // namespace
