#include "common/key_chars.h"
#include "keypad/engine/keypad_page_model.h"
#include "keypad/engine/keypad_table.h"
#include "support/keypad_actions.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Types characters into edt_result as the keyboard would; "\n" is Enter.
void typeKeys(KeypadPageModel& calc, const QString& text)
{
    for (QChar c : text)
        calc.MantissaKeyTyped(c == u'\n' ? KeyChar::Enter : c.unicode(), false);
}

struct TypedRun {
    CalcDisplay display;
    RecordingServices services;
    KeypadPageModel calc{display, {services, services}};
};

class Keypad : public testing::Test {
protected:
    void keys(const std::string& line) { PressKeys(calc, line); }

    QStringList tape() const { return calc.Tape().Lines(); }
    const QString& line() const { return display.ExpressionLine; }
    const QString& shown() const { return display.Mantissa; }

    CalcDisplay display;
    RecordingServices services;
    KeypadPageModel calc{display, {services, services}};
};

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out.append(QString::fromUtf8(t));
    return out;
}

TEST_F(Keypad, RunningCalculationWritesLineAndTape)
{
    keys("12 + 3 * 4 =");
    EXPECT_EQ(line(), u"12+3*4=24");
    EXPECT_EQ(tape(), lines({"12", "+3", "*4", "=24", "", ""}));
    EXPECT_EQ(shown(), u"24");
}

TEST_F(Keypad, PrecedenceWhileTyping)
{
    keys("2 * 3 +");
    EXPECT_EQ(shown(), u"6");
    keys("4 =");
    EXPECT_EQ(shown(), u"10");
    keys("2 + 3 ^ 2 * 4 =");
    EXPECT_EQ(shown(), u"38");
    keys("( 2 + 3 ) * 4 =");
    EXPECT_EQ(shown(), u"20");
    EXPECT_EQ(line(), u"(2+3)*4=20");
    // A sum behind a product behind a power waits for the second product.
    keys("1 + 2 * 3 ^ 2 * 4 =");
    EXPECT_EQ(shown(), u"73");
    // Equal priorities show their running result.
    keys("2 + 3 +");
    EXPECT_EQ(shown(), u"5");
    keys("4 =");
    EXPECT_EQ(shown(), u"9");
}

TEST_F(Keypad, PointAfterAnOperatorStartsTheNewOperand)
{
    display.FixDecimals = -1;
    keys("2 . 5 + . 5 =");
    EXPECT_EQ(shown(), u"3");
    EXPECT_EQ(line(), u"2.5+0.5=3");
    TypedRun typed;
    typeKeys(typed.calc, QStringLiteral("2.5+.5\n"));
    EXPECT_EQ(typed.display.Mantissa, u"3");
}

TEST_F(Keypad, TinyValuesKeepTheirPowerOfTen)
{
    const auto enter = [this](const char* mantissa, const char* exponent) {
        keys(mantissa);
        display.FocusedField = CalcDisplay::EntryField::Exponent;
        keys(exponent);
        display.FocusedField = CalcDisplay::EntryField::Mantissa;
    };
    enter("1", "99");
    keys("/");
    enter("1", "99 +/-");
    keys("=");
    EXPECT_EQ(line(), u"1E99/1E-99=1E198");
    enter("1", "99 +/-");
    calc.StoreInMemory(4);
    EXPECT_EQ(calc.Memory().Value(4), u"1E-99");
    keys("C");
    calc.RecallMemory(4);
    EXPECT_EQ(calc.DisplayText(), u"1E-99");
    // Below the normal range but still a number: shown, not an underflow.
    keys("C 10 ^ 308 = 1/x");
    EXPECT_FALSE(display.ErrorState);
    EXPECT_EQ(calc.DisplayText(), u"1E-308");
}

TEST_F(Keypad, NineDecimalsInTheDisplayShortFormOnTheTape)
{
    keys("5 / 2 =");
    EXPECT_EQ(shown(), u"2.500000000");
    EXPECT_EQ(line(), u"5/2=2.500000000");
    keys("1 / 3 =");
    EXPECT_EQ(shown(), u"0.333333333");
    keys("1 . 5 x2 =");
    EXPECT_EQ(tape().mid(tape().size() - 4, 2), lines({"1.5^2", "=2.250000000"}));
}

TEST_F(Keypad, SecondOperatorIsRejectedNotSubstituted)
{
    keys("5 + * 3 =");
    EXPECT_EQ(shown(), u"8");
    EXPECT_EQ(line(), u"5+3=8");
}

TEST_F(Keypad, PrefixFunctionAfterATypedNumber)
{
    display.FixDecimals = -1;
    keys("2 + 5 sin =");
    EXPECT_EQ(shown(), u"7");
    keys("5 sin =");
    EXPECT_EQ(shown(), ResultText(std::sin(5 * M_PI / 180)));
}

TEST_F(Keypad, FunctionsInDegreesAndRadians)
{
    keys("sin 30 =");
    EXPECT_EQ(shown(), u"0.500000000");
    EXPECT_EQ(tape(), lines({" sin30", "=0.500000000", "", ""}));
    keys("arcsin 0.5 =");
    EXPECT_EQ(shown(), u"30");
    keys("sin 90 =");
    EXPECT_EQ(shown(), u"1");
    calc.SetAngleMode(AngleMode::Radians);
    keys("sin 90 =");
    EXPECT_EQ(shown(), u"0.893996664");
    calc.SetAngleMode(AngleMode::Grads);
    keys("sin 100 =");
    EXPECT_EQ(shown(), u"1");
    keys("arccos 0 =");
    EXPECT_EQ(shown(), u"100");
}

TEST_F(Keypad, PrefixAfterPrefixComputesTheInnerFirst)
{
    calc.SetAngleMode(AngleMode::Radians);
    display.FixDecimals = -1;
    keys("sin cos 30 =");
    EXPECT_EQ(shown(), ResultText(std::sin(std::cos(30.0))));
}

TEST_F(Keypad, HyperbolicKeyArmsTheNextFunction)
{
    calc.SetAngleMode(AngleMode::Radians);
    keys("hyp sin 1 =");
    EXPECT_EQ(tape(), lines({" sinh1", "=1.175201194", "", ""}));
    EXPECT_EQ(line(), u" sinh1=1.175201194");
    // A digit disarms it: hyp 5 sin = is the plain sine of 5.
    keys("hyp 5 sin =");
    EXPECT_EQ(shown(), u"-0.958924275");
}

TEST_F(Keypad, RootFactorialAndPercent)
{
    keys("3 .W 8 =");
    EXPECT_EQ(shown(), u"2");
    keys("3 + 5 ! =");
    EXPECT_EQ(line(), u"3+5!=123");
    EXPECT_EQ(tape().mid(tape().size() - 5, 3), lines({"3", "+5!", "=123"}));
    display.FixDecimals = -1;
    keys("200 + 10 %");
    EXPECT_EQ(shown(), u"0.1");
    keys("=");
    EXPECT_EQ(shown(), u"200.1");
    EXPECT_EQ(tape().mid(tape().size() - 5, 3), lines({"200", "+10% (=0.1)", "=200.1"}));
}

TEST_F(Keypad, PercentRightAfterANumberAtTheStartIsRejected)
{
    keys("10 %");
    EXPECT_EQ(calc.NodeCount(), 0);
    EXPECT_EQ(line(), u"");
    EXPECT_EQ(shown(), u"10");
}

TEST_F(Keypad, PostfixFunctionsWriteTheirOperandOnce)
{
    display.FixDecimals = -1;
    keys("5 x2 + 1 =");
    EXPECT_EQ(tape(), lines({"5^2", "+1", "=26", "", ""}));
    keys("4 1/x =");
    EXPECT_EQ(line(), u"1/4=0.25");
    // " e^" starts a tape line of its own, with its operand after it.
    keys("C 3 + 2 e^x =");
    EXPECT_EQ(tape().mid(tape().size() - 6),
              lines({"3", "+", " e^2", "=10.3890560989307", "", ""}));
}

TEST_F(Keypad, ErrorsShowTheirMessage)
{
    keys("0 1/x");
    EXPECT_EQ(shown(), u" E R R O R");
    EXPECT_EQ(line(), u"Division durch Null nicht möglich");
    keys("=");
    keys("sqrt 1 +/- =");
    EXPECT_EQ(line(), u"Argument außerhalb Definitionsbereich");
    keys("C 70 ! =");
    EXPECT_EQ(line(), u"Argument außerhalb Wertebereichs");
}

TEST_F(Keypad, NextCalculationAfterAnErrorStartsOnAnEmptyLine)
{
    keys("1 / 0 =");
    EXPECT_EQ(line(), u"Division durch Null nicht möglich");
    keys("5 + 3 =");
    EXPECT_EQ(line(), u"5+3=8");
    keys("1 / 0 = ( 2 + 1 ) =");
    EXPECT_EQ(line(), u"(2+1)=3");
}

TEST_F(Keypad, EqualsRulesAfterStartAndTwice)
{
    keys("5 =");
    EXPECT_EQ(tape(), QStringList());
    EXPECT_EQ(line(), u"");
    keys("+ 1 = =");
    EXPECT_EQ(tape(), lines({"5", "+1", "=6", "", ""}));
}

TEST_F(Keypad, AfterEqualsADigitStartsANewNumberAndAnOperatorContinues)
{
    keys("2 + 3 = 7");
    EXPECT_EQ(shown(), u"7");
    EXPECT_EQ(line(), u"2+3=5");
    keys("* 2 =");
    EXPECT_EQ(line(), u"7*2=14");
    keys("+ 1 =");
    EXPECT_EQ(line(), u"14+1=15");
    // The first operand of a calculation starts on the empty line after the last one.
    EXPECT_EQ(tape().mid(tape().size() - 9),
              lines({"7", "*2", "=14", "", "14", "+1", "=15", "", ""}));
}

TEST_F(Keypad, Parentheses)
{
    keys("( )");
    EXPECT_EQ(line(), u"(0)");
    keys("C ( 5 ) + 1 =");
    EXPECT_EQ(line(), u"(5)+1=6");
    keys("( 2 + 3 =");
    EXPECT_EQ(line(), u"(2+3)=5");
    // Any number of groups per calculation, and nested.
    keys("( 2 + 3 ) * ( 4 + 5 ) =");
    EXPECT_EQ(shown(), u"45");
    EXPECT_EQ(line(), u"(2+3)*(4+5)=45");
    keys("2 * ( 1 + ( 2 + 3 ) * 2 ) =");
    EXPECT_EQ(shown(), u"22");
    // Clearing ends every open level; "(" works again at once.
    keys("( ( C ( 4 + 1 ) * 2 =");
    EXPECT_EQ(shown(), u"10");
}

TEST_F(Keypad, ParenthesesStopAtTwentyLevels)
{
    for (int i = 0; i < 22; ++i)
        keys("(");
    EXPECT_EQ(calc.ParenDepth, 20);
    EXPECT_EQ(line(), QString(20, u'('));
    keys("1 + 1 =");
    EXPECT_EQ(line(),
              QString(20, u'(') + QStringLiteral("1+1") + QString(20, u')') + QStringLiteral("=2"));
    EXPECT_EQ(calc.ParenDepth, 0);
}

TEST_F(Keypad, EqualsRightAfterAnOperatorInsideParenthesesEnds)
{
    keys("( 2 + =");
    EXPECT_EQ(shown(), u"4");
    EXPECT_EQ(line(), u"(2+2)=4");
    EXPECT_EQ(calc.ParenDepth, 0);
}

TEST_F(Keypad, DigitLimitsAndTheExponentField)
{
    keys("123456789012345");
    EXPECT_EQ(shown(), u"12345678901234");
    display.FocusedField = CalcDisplay::EntryField::Exponent;
    keys("1 . 23");
    EXPECT_EQ(display.Exponent, u"12");
    keys("+/-");
    EXPECT_EQ(display.Exponent, u"-12");
    keys("+/-");
    EXPECT_EQ(display.Exponent, u"12");
    keys("C 2");
    display.FocusedField = CalcDisplay::EntryField::Mantissa;
    keys("1 * 3 =");
    EXPECT_EQ(display.FocusedField, CalcDisplay::EntryField::Mantissa);
}

TEST_F(Keypad, DecimalKeyAndSign)
{
    keys(". 5");
    EXPECT_EQ(shown(), u"0.5");
    keys(". 2");
    EXPECT_EQ(shown(), u"0.52");
    keys("+/-");
    EXPECT_EQ(shown(), u"-0.52");
    keys("+/-");
    EXPECT_EQ(shown(), u"0.52");
    display.FocusedField = CalcDisplay::EntryField::None;
    keys("+/-");
    EXPECT_EQ(shown(), u"0.52");
}

TEST_F(Keypad, ConstantsAndMemory)
{
    keys("pi");
    EXPECT_EQ(shown(), u"3.141592654");
    keys("2");
    EXPECT_EQ(shown(), u"2");
    keys("C pi * 2 =");
    EXPECT_EQ(shown(), u"6.283185308");
    keys("e");
    EXPECT_EQ(shown(), u"2.718281828");

    keys("C 5 / 2 =");
    calc.StoreInMemory(2);
    EXPECT_EQ(calc.Memory().Value(2), u"2.5");
    keys("C 7");
    calc.RecallMemory(5);
    EXPECT_EQ(shown(), u"7");
    calc.RecallMemory(2);
    EXPECT_EQ(shown(), u"2.500000000");
    keys("1");
    EXPECT_EQ(shown(), u"2.5000000001");
    calc.ClearMemory(2);
    EXPECT_EQ(calc.Memory().Value(2), u"");
    keys("C");
    calc.StoreInMemory(0);
    EXPECT_EQ(calc.Memory().Value(0), u"");
}

TEST_F(Keypad, MemoryGridClipboardKeys)
{
    calc.Memory().Store(4, QStringLiteral("1.25"));
    EXPECT_TRUE(calc.MemoryGridKey(4, KeyChar::CtrlC));
    EXPECT_EQ(services.clipboard, u"1.25");
    services.clipboard = QStringLiteral("kein Wert");
    EXPECT_TRUE(calc.MemoryGridKey(4, KeyChar::CtrlV));
    EXPECT_EQ(calc.Memory().Value(4), u"1.25");
    services.clipboard = QStringLiteral("3,5");
    calc.MemoryGridKey(4, KeyChar::CtrlV);
    EXPECT_EQ(calc.Memory().Value(4), u"3,5");
    EXPECT_FALSE(calc.MemoryGridKey(4, u'x'));
}

TEST_F(Keypad, FixKeyThenDigit)
{
    // The fix key clears the running calculation.
    keys("5 + fix 3 1 / 3 =");
    EXPECT_EQ(display.FixDecimals, 3);
    EXPECT_EQ(shown(), u"0.333");
    EXPECT_EQ(line(), u"1/3=0.333");
}

TEST_F(Keypad, ClearingTheTapeMidwayKeepsTheCalculation)
{
    keys("2 + 3");
    calc.Tape().Clear();
    keys("* 4 =");
    EXPECT_EQ(shown(), u"14");
    EXPECT_EQ(tape(), lines({"3", "*4", "=14", "", ""}));
}

TEST(KeypadKeyboard, TypedKeysGiveWhatClicksGive)
{
    const std::pair<const char*, const char*> runs[] = {
        {"12 + 3 * 4 =", "12+3*4\n"},
        {"( 2 + 3 ) * ( 4 + 5 ) =", "(2+3)*(4+5)\n"},
        {"2 . 5 * 4 =", "2,5*4\n"},
        {"7 - 9 = 5 + 1 =", "7-9\n5+1\n"},
        {"200 + 10 % =", "200+10%\n"},
        {"pi * 2 =", "p*2\n"},
        {"2 ^ 10 =", "2°10\n"},
        {"0 . 5 C 3 + 4 =", "0.5\x1b"
                            "3+4\n"},
    };
    for (const auto& [clicks, keys] : runs) {
        SCOPED_TRACE(clicks);
        TypedRun clicked;
        TypedRun typed;
        PressKeys(clicked.calc, clicks);
        typeKeys(typed.calc, QString::fromUtf8(keys));
        EXPECT_EQ(typed.display.Mantissa, clicked.display.Mantissa);
        EXPECT_EQ(typed.display.ExpressionLine, clicked.display.ExpressionLine);
        EXPECT_EQ(typed.calc.Tape().Lines(), clicked.calc.Tape().Lines());
        EXPECT_TRUE(typed.services.signals_.empty());
    }
}

TEST(KeypadKeyboard, FiltersTypedCharacters)
{
    TypedRun run;
    typeKeys(run.calc, QStringLiteral("1a"));
    EXPECT_EQ(run.display.Mantissa, u"1");
    EXPECT_EQ(run.services.signals_, std::vector<int>{2});
    typeKeys(run.calc, QStringLiteral(" "));
    EXPECT_EQ(run.services.signals_, (std::vector<int>{2, 3}));
    typeKeys(run.calc, QStringLiteral(".5,3"));
    EXPECT_EQ(run.display.Mantissa, u"1.53");
    run.calc.MantissaKeyTyped(KeyChar::Backspace, false);
    EXPECT_EQ(run.display.Mantissa, u"1.5");
    // Backspace on the whole selected text removes it all.
    run.calc.MantissaKeyTyped(KeyChar::Backspace, true);
    EXPECT_EQ(run.display.Mantissa, u"");
}

TEST(KeypadKeyboard, CopyAndPasteANumberOnly)
{
    TypedRun run;
    typeKeys(run.calc, QStringLiteral("42"));
    run.calc.MantissaKeyTyped(KeyChar::CtrlC, false);
    EXPECT_EQ(run.services.clipboard, u"42");
    run.services.clipboard = QStringLiteral("abc");
    run.calc.MantissaKeyTyped(KeyChar::CtrlV, true);
    EXPECT_EQ(run.display.Mantissa, u"42");
    run.services.clipboard = QStringLiteral("1.5");
    run.calc.MantissaKeyTyped(KeyChar::CtrlV, true);
    EXPECT_EQ(run.display.Mantissa, u"1.5");
}

TEST(KeypadKeyboard, DisplayHoldsOnlyANumberTheErrorOrNothing)
{
    TypedRun run;
    const auto paste = [&run](const char* clip, bool selected = false) {
        run.services.clipboard = QString::fromUtf8(clip);
        run.calc.MantissaKeyTyped(KeyChar::CtrlV, selected);
    };
    typeKeys(run.calc, QStringLiteral("12"));
    paste("-3");
    paste("1234567890123456789012345678901234567890");
    paste("1E999");
    EXPECT_EQ(run.display.Mantissa, u"12");
    EXPECT_EQ(run.services.signals_, (std::vector<int>{2, 2, 2}));
    paste("3,5");
    EXPECT_EQ(run.display.Mantissa, u"123.5");
    // After an operator the paste is the new operand.
    typeKeys(run.calc, QStringLiteral("*"));
    paste("2");
    typeKeys(run.calc, QStringLiteral("\n"));
    EXPECT_EQ(run.display.Mantissa, u"247");
    // Into the error display the paste replaces it; with a power of ten it fills both fields.
    typeKeys(run.calc, QStringLiteral("1/0\n"));
    EXPECT_EQ(run.display.Mantissa, u" E R R O R");
    paste("2.5E-7");
    EXPECT_EQ(run.display.Mantissa, u"2.5");
    EXPECT_EQ(run.display.Exponent, u"-7");
    // Backspace never leaves a lone sign.
    run.calc.ClearCalculation();
    typeKeys(run.calc, QStringLiteral("8"));
    run.calc.PlusMinus();
    run.calc.MantissaKeyTyped(KeyChar::Backspace, false);
    EXPECT_EQ(run.display.Mantissa, u"");
    EXPECT_FALSE(run.calc.EntryEdited(CalcDisplay::EntryField::Mantissa, QStringLiteral("1-2")));
    EXPECT_TRUE(run.calc.EntryEdited(CalcDisplay::EntryField::Mantissa, QStringLiteral("12")));
    EXPECT_FALSE(run.calc.EntryEdited(CalcDisplay::EntryField::Mantissa, QStringLiteral("-")));
    EXPECT_EQ(run.display.Mantissa, u"");
}

TEST(KeypadKeyboard, TabIsEnterAndParenKeepsTheDisplayInTheExponent)
{
    TypedRun run;
    typeKeys(run.calc, QStringLiteral("2+3\t"));
    EXPECT_EQ(run.display.ExpressionLine, u"2+3=5");
    typeKeys(run.calc, QStringLiteral("5+"));
    run.display.FocusedField = CalcDisplay::EntryField::Exponent;
    run.calc.ExponentKeyTyped(u'(', false);
    EXPECT_EQ(run.display.Mantissa, u"5");
}

TEST(KeypadKeyboard, ExponentFieldTakesTwoDigitsAndOperators)
{
    TypedRun run;
    typeKeys(run.calc, QStringLiteral("3"));
    run.display.FocusedField = CalcDisplay::EntryField::Exponent;
    for (char16_t c : {u'1', u'.', u'2', u'3'})
        run.calc.ExponentKeyTyped(c, false);
    EXPECT_EQ(run.display.Exponent, u"12");
    run.calc.ExponentKeyTyped(u'+', false);
    EXPECT_EQ(run.display.ExpressionLine, u"3000000000000+");
    EXPECT_EQ(run.display.FocusedField, CalcDisplay::EntryField::Mantissa);
}

TEST(KeypadKeyboard, AnimatesTheKeypadKeys)
{
    TypedRun run;
    QStringList animated;
    run.calc.AnimateKey = [&](const QString& name) { animated << name; };
    typeKeys(run.calc, QStringLiteral("1+2,5\n"));
    EXPECT_EQ(
        animated,
        (QStringList{QStringLiteral("img_ziffer1"), QStringLiteral("spb_operator01_plus"),
                     QStringLiteral("img_ziffer2"), QStringLiteral("img_komma"),
                     QStringLiteral("img_ziffer5"), QStringLiteral("img_operator00_gleich")}));
}

} // namespace
