#include "calculator/key_chars.h"
#include "calculator/key_filter.h"
#include "support/recording_services.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(EditTypeFilter, FloatTakesDigitsSignOneSeparatorAndEditingKeys)
{
    using namespace KeyChar;
    const QString empty;
    for (char16_t key :
         {u'0', u'9', u'-', u',', u'.', CtrlA, CtrlC, Backspace, CtrlV, CtrlX, CtrlZ, Enter, Esc})
        EXPECT_TRUE(PassesEditTypeFilter(EditType::etFloat, key, empty)) << int(key);
    for (char16_t key : {u'a', u'E', u' ', u'+', u'ä', Tab})
        EXPECT_FALSE(PassesEditTypeFilter(EditType::etFloat, key, empty)) << int(key);
    // A second separator is refused, whichever of the two the text holds.
    EXPECT_FALSE(PassesEditTypeFilter(EditType::etFloat, u',', QStringLiteral("1.5")));
    EXPECT_FALSE(PassesEditTypeFilter(EditType::etFloat, u'.', QStringLiteral("1,5")));
}

TEST(EditTypeFilter, IntegerCharOnlyAndString)
{
    EXPECT_TRUE(PassesEditTypeFilter(EditType::etInteger, u'-', QString()));
    EXPECT_FALSE(PassesEditTypeFilter(EditType::etInteger, u',', QString()));
    EXPECT_FALSE(PassesEditTypeFilter(EditType::etInteger, u'.', QString()));
    for (char16_t key : {u'a', u'Z', u'Ä', u'ß', u'ü', KeyChar::Backspace, KeyChar::Enter})
        EXPECT_TRUE(PassesEditTypeFilter(EditType::etCharOnly, key, QString())) << int(key);
    for (char16_t key : {u'1', u' ', u'é', KeyChar::CtrlV})
        EXPECT_FALSE(PassesEditTypeFilter(EditType::etCharOnly, key, QString())) << int(key);
    EXPECT_TRUE(PassesEditTypeFilter(EditType::etString, u'%', QString()));
}

TEST(FloatExitText, FormatsWithTheFieldsDecimals)
{
    EXPECT_EQ(FloatExitText(QStringLiteral("1.5"), 2, false), u"1,50");
    EXPECT_EQ(FloatExitText(QStringLiteral("1,5"), 0, false), u"2");
    EXPECT_EQ(FloatExitText(QStringLiteral("-0,125"), 2, false), u"-0,13");
    EXPECT_EQ(FloatExitText(QString(), 2, false), u"0");
    EXPECT_EQ(FloatExitText(QString(), 2, true), u"");
}

TEST(FloatExitText, TextThatDoesNotConvertIsNotFormatted)
{
    for (const char* text : {"-", "1-2", ",", "1,2,3", "--"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(FloatExitText(QString::fromUtf8(text), 2, false).has_value());
    }
}

TEST(FieldValues, ReadAsZeroWhenTheTextDoesNotConvert)
{
    EXPECT_EQ(FieldFloat(QStringLiteral("2.5")), 2.5);
    EXPECT_EQ(FieldFloat(QStringLiteral("2,5")), 2.5);
    EXPECT_EQ(FieldFloat(QStringLiteral("-")), 0.0);
    EXPECT_EQ(FieldInt(QStringLiteral("-42")), -42);
    EXPECT_EQ(FieldInt(QString()), 0);
    EXPECT_EQ(FieldInt(QStringLiteral("4x")), 0);
    EXPECT_EQ(FieldInt(QStringLiteral("99999999999")), 0);
}

struct NumericKeyRun {
    QString text;
    char16_t key;
};

class CheckNumericKeyTest : public testing::Test {
protected:
    NumericKeyRun check(const QString& text, char16_t key, NumericMode mode = NumericMode::Decimal,
                        int limit = 10)
    {
        NumericKeyRun run{text, key};
        CheckNumericKey(mode, limit, run.text, run.key, {services, services});
        return run;
    }
    RecordingServices services;
};

TEST_F(CheckNumericKeyTest, DigitsAndPointPass)
{
    EXPECT_EQ(check(QStringLiteral("12"), u'3').key, u'3');
    EXPECT_EQ(check(QStringLiteral("12"), u'.').key, u'.');
    EXPECT_TRUE(services.signals_.empty());
}

TEST_F(CheckNumericKeyTest, CommaBecomesPointAndASecondOneIsDropped)
{
    EXPECT_EQ(check(QStringLiteral("12"), u',').key, u'.');
    EXPECT_EQ(check(QStringLiteral("1.2"), u',').key, KeyChar::None);
    EXPECT_EQ(check(QStringLiteral("1.2"), u'.').key, KeyChar::None);
}

TEST_F(CheckNumericKeyTest, TabBecomesEnter)
{
    EXPECT_EQ(check(QStringLiteral("1"), KeyChar::Tab).key, KeyChar::Enter);
}

TEST_F(CheckNumericKeyTest, LengthLimitLetsOnlyCopyPasteBackspaceEnterThrough)
{
    const QString full = QStringLiteral("1234567890");
    EXPECT_EQ(check(full, u'1').key, KeyChar::None);
    EXPECT_EQ(services.signals_, std::vector<int>{1});
    EXPECT_EQ(check(full, KeyChar::Backspace).key, KeyChar::Backspace);
    EXPECT_EQ(check(full, KeyChar::Enter).key, KeyChar::Enter);
}

TEST_F(CheckNumericKeyTest, LettersAndColonSoundSignalTwoBlankSignalThree)
{
    EXPECT_EQ(check(QStringLiteral("1"), u'a').key, KeyChar::None);
    EXPECT_EQ(check(QStringLiteral("1"), u':').key, KeyChar::None);
    EXPECT_EQ(check(QStringLiteral("1"), u' ').key, KeyChar::None);
    EXPECT_EQ(services.signals_, (std::vector<int>{2, 2, 3}));
}

TEST_F(CheckNumericKeyTest, IntegerModeRefusesSeparators)
{
    EXPECT_EQ(check(QStringLiteral("1"), u',', NumericMode::Integer).key, KeyChar::None);
    EXPECT_EQ(check(QStringLiteral("1"), u'.', NumericMode::Integer).key, KeyChar::None);
    EXPECT_EQ(services.signals_, (std::vector<int>{2, 2}));
}

TEST_F(CheckNumericKeyTest, OperatorsOnlyGiveALeadingMinus)
{
    EXPECT_EQ(check(QString(), u'-').key, u'-');
    EXPECT_EQ(check(QString(), u'+').key, KeyChar::None);
    NumericKeyRun zero = check(QStringLiteral("0"), u'-');
    EXPECT_EQ(zero.key, u'-');
    EXPECT_EQ(zero.text, u"");
    EXPECT_EQ(check(QStringLiteral("-"), u'-').key, KeyChar::None);
    EXPECT_TRUE(services.signals_.empty());
    // After a number there is no calculator to hand it to: the key is refused audibly.
    EXPECT_EQ(check(QStringLiteral("12"), u'*').key, KeyChar::None);
    EXPECT_EQ(services.signals_, std::vector<int>{2});
}

TEST_F(CheckNumericKeyTest, CopyAndPasteGoThroughTheClipboard)
{
    EXPECT_EQ(check(QStringLiteral("12.5"), KeyChar::CtrlC).key, KeyChar::None);
    EXPECT_EQ(services.clipboard, u"12.5");
    services.clipboard = QStringLiteral("7");
    NumericKeyRun pasted = check(QStringLiteral("12"), KeyChar::CtrlV);
    EXPECT_EQ(pasted.key, KeyChar::None);
    EXPECT_EQ(pasted.text, u"7");
    services.clipboard.clear();
    EXPECT_EQ(check(QStringLiteral("12"), KeyChar::CtrlV).text, u"12");
}

TEST(CheckFieldKey, TypingOverAWholeSelectionReplacesIt)
{
    RecordingServices services;
    FieldState field{QStringLiteral("123"), 3, 0, 3};
    char16_t key = u'4';
    CheckFieldKey(NumericMode::Decimal, 10, field, key, {services, services});
    EXPECT_EQ(field.text, u"");
    EXPECT_EQ(key, u'4');

    FieldState copied{QStringLiteral("123"), 3, 0, 3};
    key = KeyChar::CtrlC;
    CheckFieldKey(NumericMode::Decimal, 10, copied, key, {services, services});
    EXPECT_EQ(copied.text, u"123");
    EXPECT_EQ(services.clipboard, u"123");
}

TEST(CheckFieldKey, SeparatorInAnEmptyDecimalFieldStartsWithZero)
{
    RecordingServices services;
    FieldState field;
    char16_t key = u',';
    CheckFieldKey(NumericMode::Decimal, 10, field, key, {services, services});
    EXPECT_EQ(field.text, u"0");
    EXPECT_EQ(field.cursor, 1);
    EXPECT_EQ(key, u'.');
}

} // namespace
