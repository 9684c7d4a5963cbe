// What the keypad display shows is what the next operator reads: found by the fuzz targets.
#include "calculator/key_chars.h"
#include "calculator/keypad_page_model.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

namespace {

struct Keypad {
    CalcDisplay display;
    RecordingServices services;
    KeypadPageModel calc{display, {services, services}};

    // A number pasted into memory slot 0 and recalled into the display.
    void recall(const char* pasted)
    {
        services.clipboard = QString::fromLatin1(pasted);
        calc.MemoryGridKey(0, KeyChar::CtrlV);
        calc.RecallMemory(0);
    }
};

TEST(DisplayReadBack, ALongMantissaWithAPowerOfTenStaysOneNumber)
{
    Keypad k;
    k.recall("9234269348622345E-9");
    const auto value = ParseNumber(ToComma(k.calc.DisplayText()));
    ASSERT_TRUE(value) << k.calc.DisplayText().toStdString();
    EXPECT_NEAR(*value, 9234269.348622345, 1e-6);
}

TEST(DisplayReadBack, ASmallEInARecalledValueIsThePowerOfTen)
{
    Keypad k;
    k.recall("1e305");
    EXPECT_EQ(k.display.Mantissa, u"1");
    EXPECT_EQ(k.display.Exponent, u"305");
    // A digit typed now belongs to the mantissa, and the display still reads as one number.
    k.calc.MantissaKeyTyped(u'9', false);
    EXPECT_TRUE(ParseNumber(ToComma(k.calc.DisplayText()))) << k.calc.DisplayText().toStdString();
}

TEST(DisplayReadBack, APowerOfTenTypedBesideALongMantissaAddsToIt)
{
    Keypad k;
    k.recall("2236949332469348622");
    EXPECT_EQ(k.display.Mantissa, u"2.23694933246935E18");
    k.calc.ExponentKeyTyped(u'2', false);
    const auto value = ParseNumber(ToComma(k.calc.DisplayText()));
    ASSERT_TRUE(value) << k.calc.DisplayText().toStdString();
    EXPECT_NEAR(*value, 2.23694933246935E20, 1e6);
}

TEST(DisplayReadBack, TheLargestDoubleRoundedUpIsNotReadAsZero)
{
    Keypad k;
    k.display.FixDecimals = 2;
    k.recall("1.7976931348623157E308");
    EXPECT_EQ(k.display.Mantissa, u"1.80");
    k.calc.OperatorPressed(Operator::Plus);
    k.calc.DigitPressed(1);
    k.calc.OperatorPressed(Operator::Equals);
    EXPECT_EQ(k.display.Mantissa, u"1.80");
    EXPECT_EQ(k.display.Exponent, u"308");
}

} // namespace
