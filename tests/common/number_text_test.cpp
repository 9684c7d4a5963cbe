#include "common/number_text.h"

#include <QLocale>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

struct ValueText {
    double value;
    const char* text;
};

TEST(GeneralText, FifteenSignificantDigitsFixedOrExponent)
{
    const ValueText rows[] = {
        {2.5, "2,5"},
        {4, "4"},
        {0, "0"},
        {-0.0, "0"},
        {-2.5, "-2,5"},
        {1.0 / 3.0, "0,333333333333333"},
        {2.0 / 3.0, "0,666666666666667"},
        {0.1 + 0.2, "0,3"},
        {1.5e20, "1,5E20"},
        {1e-5, "1E-5"},
        {0.0001, "0,0001"},
        {-1.25e-7, "-1,25E-7"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {999999999999999.9, "1E15"},
        {1.7976931348623157e308, "1,79769313486232E308"},
        {5e-324, "5E-324"},
        {100, "100"},
        {0.5, "0,5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(GeneralText(row.value), QString::fromUtf8(row.text));
    }
}

TEST(GeneralText, NonFiniteValuesHaveTexts)
{
    EXPECT_EQ(GeneralText(std::numeric_limits<double>::infinity()), u"INF");
    EXPECT_EQ(GeneralText(-std::numeric_limits<double>::infinity()), u"-INF");
    EXPECT_EQ(GeneralText(std::nan("")), u"NAN");
}

TEST(ResultText, UsesPointAndExponentForm)
{
    EXPECT_EQ(ResultText(2.5), u"2.5");
    EXPECT_EQ(ResultText(1.5e20), u"1.5E20");
    EXPECT_EQ(ResultText(0.00001), u"1E-5");
    EXPECT_EQ(ResultText(-1234.5), u"-1234.5");
}

TEST(FixedText, RoundsHalfAwayFromZeroOnTheWrittenDigits)
{
    const struct {
        double value;
        int decimals;
        const char* text;
    } rows[] = {
        {1.5, 2, "1,50"},         {2.5, 0, "3"},
        {-2.5, 0, "-3"},          {0.125, 2, "0,13"},
        {1.005, 2, "1,01"},       {0.999, 2, "1,00"},
        {9.9999, 3, "10,000"},    {-0.001, 2, "0,00"},
        {0, 3, "0,000"},          {123.456, 1, "123,5"},
        {1e-7, 9, "0,000000100"}, {1e20, 2, "100000000000000000000,00"},
        {0.0049, 2, "0,00"},      {0.005, 2, "0,01"},
        {99.5, 0, "100"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(FixedText(row.value, row.decimals), QString::fromUtf8(row.text));
    }
}

TEST(ParseNumber, ReadsTheProgramsOwnNumberTexts)
{
    EXPECT_EQ(ParseNumber(QStringLiteral("2,5")), 2.5);
    EXPECT_EQ(ParseNumber(QStringLiteral(" -2,5 ")), -2.5);
    EXPECT_EQ(ParseNumber(QStringLiteral("+7")), 7.0);
    EXPECT_EQ(ParseNumber(QStringLiteral("5,")), 5.0);
    EXPECT_EQ(ParseNumber(QStringLiteral(",5")), 0.5);
    EXPECT_EQ(ParseNumber(QStringLiteral("1,5E20")), 1.5e20);
    EXPECT_EQ(ParseNumber(QStringLiteral("1e-5")), 1e-5);
    EXPECT_EQ(ParseNumber(QStringLiteral("2.5"), u'.'), 2.5);
    EXPECT_EQ(ParseNumber(QStringLiteral("1E-400")), 0.0);
}

TEST(ParseNumber, RefusesEverythingElse)
{
    for (const char* text : {"", "-", ",", "1-2", "2.5", "1,2,3", "1E", "1E+", "abc", "1 2", "inf",
                             "nan", "0x10", "1E400", "--1", "E5", "5 E3"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseNumber(QString::fromUtf8(text)).has_value());
    }
}

TEST(IsNumberText, AcceptsPointOrComma)
{
    EXPECT_TRUE(IsNumberText(QStringLiteral("2.5")));
    EXPECT_TRUE(IsNumberText(QStringLiteral("2,5")));
    EXPECT_TRUE(IsNumberText(QStringLiteral("-12")));
    EXPECT_TRUE(IsNumberText(QStringLiteral("1.5E20")));
    EXPECT_FALSE(IsNumberText(QString()));
    EXPECT_FALSE(IsNumberText(QStringLiteral(" E R R O R")));
    EXPECT_FALSE(IsNumberText(QStringLiteral("1.2.3")));
    EXPECT_FALSE(IsNumberText(QStringLiteral("12a")));
}

TEST(StripTrailingZeros, KeepsSeparatorAndLeavesExponentTexts)
{
    EXPECT_EQ(StripTrailingZeros(QStringLiteral("2.500")), u"2.5");
    EXPECT_EQ(StripTrailingZeros(QStringLiteral("2.000")), u"2.");
    EXPECT_EQ(StripTrailingZeros(QStringLiteral("1.50E3")), u"1.50E3");
    EXPECT_EQ(StripTrailingZeros(QStringLiteral("2,50")), u"2,5");
    EXPECT_EQ(StripTrailingZeros(QStringLiteral("100")), u"100");
    EXPECT_EQ(StripTrailingZeros(QString()), u"");
}

TEST(PointAndComma, ReplaceEveryCharacter)
{
    EXPECT_EQ(ToPoint(QStringLiteral("1,2,3")), u"1.2.3");
    EXPECT_EQ(ToComma(QStringLiteral("1.2.3")), u"1,2,3");
}

struct MantissaCase {
    const char* name;
    const char* text;
    int fix;
    bool display;
    bool formula;
    const char* expected;
};

void PrintTo(const MantissaCase& c, std::ostream* os)
{
    *os << c.name;
}

class FormatMantissaTest : public testing::TestWithParam<MantissaCase> {};

TEST_P(FormatMantissaTest, Formats)
{
    const MantissaCase& c = GetParam();
    const MantissaStyle style = c.formula   ? MantissaStyle::Formula
                                : c.display ? MantissaStyle::Display
                                            : MantissaStyle::Written;
    EXPECT_EQ(FormatMantissa(QString::fromUtf8(c.text), c.fix, style),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Display, FormatMantissaTest,
    testing::Values(MantissaCase{"NineDecimalsPadded", "2.5", 9, true, false, "2.500000000"},
                    MantissaCase{"ThirdRounded", "0.333333333333333", 9, true, false,
                                 "0.333333333"},
                    MantissaCase{"IntegralShortened", "4", 9, true, false, "4"},
                    MantissaCase{"RoundedUpToIntegral", "2.9999999999", 9, true, false, "3"},
                    MantissaCase{"FreeDecimalsUnchanged", "2.5", -1, true, false, "2.5"},
                    MantissaCase{"FreeThirdUnchanged", "0.333333333333333", -1, true, false,
                                 "0.333333333333333"},
                    MantissaCase{"ZeroDecimals", "2.5", 0, true, false, "3"},
                    MantissaCase{"Negative", "-0.5", 2, true, false, "-0.50"},
                    MantissaCase{"EmptyStaysEmpty", "", 9, true, false, ""},
                    MantissaCase{"NotANumberKept", " E R R O R", 9, true, false, "E R R O R"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    TapeAndMemory, FormatMantissaTest,
    testing::Values(MantissaCase{"PaddedThenStripped", "2.5", 9, false, false, "2.5"},
                    MantissaCase{"LongerDecimalsKept", "0.3333333333333", 4, false, false,
                                 "0.3333333333333"},
                    MantissaCase{"IntegralPlain", "12", 9, false, false, "12"},
                    MantissaCase{"ExponentTextLeftAlone", "1.5E20", 9, false, false, "1.5E20"},
                    MantissaCase{"TinyValueKeepsItsPowerOfTen", "1E-99", 9, false, false, "1E-99"},
                    MantissaCase{"TinyNegativeValueToo", "-2.5E-15", 4, false, false, "-2.5E-15"},
                    MantissaCase{"FreeStripsZeros", "2.500", -1, false, false, "2.5"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    FormulaResults, FormatMantissaTest,
    testing::Values(MantissaCase{"IntegralKeepsDecimals", "3", 2, true, true, "3.00"},
                    MantissaCase{"FreeDecimalsUnchanged", "3", -1, true, true, "3"}),
    [](const auto& info) { return std::string(info.param.name); });

// The texts must not change with the locale of the process or of Qt.
TEST(NumberTexts, DoNotFollowTheLocale)
{
    const auto texts = [] {
        return QStringList{GeneralText(1234.5), FixedText(2.5, 2), ResultText(0.125),
                           FormatMantissa(QStringLiteral("2.5"), 3, MantissaStyle::Display),
                           QString::number(ParseNumber(QStringLiteral("1,5")).value_or(-1))};
    };
    const QStringList plain = texts();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    for (const char* name : {"de_DE.UTF-8", "de_DE", "pl_PL.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name))
            break;
    const QStringList german = texts();
    std::setlocale(LC_ALL, saved.c_str());
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(plain, german);
    EXPECT_EQ(plain[0], u"1234,5");
}

} // namespace
