#include "calculator/calc_display.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(ShowNumber, NineDecimalsAtStartUp)
{
    CalcDisplay d;
    EXPECT_EQ(d.FixDecimals, 9);
    d.ShowNumber(ResultText(2.5));
    EXPECT_EQ(d.Mantissa, u"2.500000000");
    d.ShowNumber(ResultText(1.0 / 3.0));
    EXPECT_EQ(d.Mantissa, u"0.333333333");
    d.ShowNumber(ResultText(4));
    EXPECT_EQ(d.Mantissa, u"4");
    EXPECT_EQ(d.Exponent, u"");
}

TEST(ShowNumber, FreeDecimalsShowTheGeneralFormat)
{
    CalcDisplay d;
    d.FixDecimals = -1;
    d.ShowNumber(ResultText(2.5));
    EXPECT_EQ(d.Mantissa, u"2.5");
    d.ShowNumber(ResultText(1.0 / 3.0));
    EXPECT_EQ(d.Mantissa, u"0.333333333333333");
}

TEST(ShowNumber, SplitsTheExponentIntoItsOwnField)
{
    CalcDisplay d;
    d.ShowNumber(ResultText(1.5e20));
    EXPECT_EQ(d.Mantissa, u"1.500000000");
    EXPECT_EQ(d.Exponent, u"20");
    d.ShowNumber(ResultText(-2e-5));
    EXPECT_EQ(d.Mantissa, u"-2");
    EXPECT_EQ(d.Exponent, u"-5");
    d.ShowNumber(QStringLiteral("2,5"));
    EXPECT_EQ(d.Mantissa, u"2.500000000");
    EXPECT_EQ(d.Exponent, u"");
}

TEST(ShowNumber, EmptyTextClearsBothFields)
{
    CalcDisplay d;
    d.ShowNumber(ResultText(1.5e20));
    d.ShowNumber(QString());
    EXPECT_EQ(d.Mantissa, u"");
    EXPECT_EQ(d.Exponent, u"");
}

TEST(ShowNumber, PercentKeepsTheTapeFormOfItsResult)
{
    CalcDisplay d;
    d.PercentPressed = true;
    d.ShowNumber(ResultText(0.1));
    EXPECT_EQ(d.PercentText, u"0.1");
    EXPECT_EQ(d.Mantissa, u"0.100000000");
}

TEST(ShowError, ShowsTheMessageAndEntersTheErrorState)
{
    CalcDisplay d;
    d.NewExpression = false;
    d.Exponent = QStringLiteral("5");
    d.ShowError(1);
    EXPECT_EQ(d.ExpressionLine, u"Division durch Null nicht möglich");
    EXPECT_EQ(d.Mantissa, u" E R R O R");
    EXPECT_EQ(d.Exponent, u"5");
    EXPECT_TRUE(d.ErrorState);
    EXPECT_TRUE(d.NewExpression);
    d.ShowError(5);
    EXPECT_EQ(d.ExpressionLine, u"Argument außerhalb Definitionsbereich");
}

TEST(FixDecimals, FixKeyAsksForTheDigitAndTheDigitSetsIt)
{
    CalcDisplay d;
    d.Mantissa = QStringLiteral("12");
    int changes = 0;
    d.FixDecimalsChanged = [&] { ++changes; };
    d.StartFixEntry();
    EXPECT_TRUE(d.FixEntryMode);
    EXPECT_EQ(d.Mantissa, u"");
    EXPECT_EQ(d.ExpressionLine, u"Anzahl der Nachkommastellen");

    EXPECT_FALSE(d.SetFixDecimals(u'x'));
    EXPECT_TRUE(d.FixEntryMode);
    EXPECT_TRUE(d.SetFixDecimals(u'3'));
    EXPECT_FALSE(d.FixEntryMode);
    EXPECT_EQ(d.FixDecimals, 3);
    EXPECT_EQ(d.FixIndicator(), u"3");
    EXPECT_EQ(d.ExpressionLine, u"");
    EXPECT_EQ(changes, 1);

    d.StartFixEntry();
    d.SetFixDecimals(u'.');
    EXPECT_EQ(d.FixDecimals, -1);
    EXPECT_EQ(d.FixIndicator(), u"~");
}

TEST(FixDecimals, UpDownPositionsChooseTheDecimals)
{
    CalcDisplay d;
    EXPECT_TRUE(d.ChooseFixDecimals(2));
    EXPECT_EQ(d.FixDecimals, 2);
    EXPECT_FALSE(d.ChooseFixDecimals(10));
    EXPECT_FALSE(d.ChooseFixDecimals(-1));
    EXPECT_EQ(d.FixDecimals, 2);
}

TEST(FixDecimals, TheControllersClearRunsInsteadOfTheDefault)
{
    CalcDisplay d;
    bool cleared = false;
    d.ClearCalculation = [&] { cleared = true; };
    d.Mantissa = QStringLiteral("7");
    d.StartFixEntry();
    EXPECT_TRUE(cleared);
    EXPECT_EQ(d.Mantissa, u"7");
}

TEST(ActiveEntryField, FollowsTheFocus)
{
    CalcDisplay d;
    EXPECT_EQ(d.ActiveEntryField(), CalcDisplay::EntryField::Mantissa);
    d.FocusedField = CalcDisplay::EntryField::Exponent;
    EXPECT_EQ(d.ActiveEntryField(), CalcDisplay::EntryField::Exponent);
    d.FocusedField = CalcDisplay::EntryField::None;
    EXPECT_EQ(d.ActiveEntryField(), CalcDisplay::EntryField::Mantissa);
}

} // namespace
