#include "conversion/currency_page_model.h"

#include "calculator/key_chars.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kDem = 2;
constexpr int kAudRow = 0;
constexpr int kUsdRow = UsDollarEntry - FirstFloatingEntry;

const QDate kToday(2024, 3, 7);

TEST(ConvertedAmount, FiveDecimalsOrEmpty)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* what;
        double amount, source, target;
        const char* text;
    } rows[] = {
        {"euro to dollar", 1, 1, 0.90958, "1,09941"},
        {"mark to euro", 1, 0.511291881, 1, "0,51129"},
        {"euro to mark", 1, 1, 0.511291881, "1,95583"},
        {"cross rate", 100, 1.44592, 0.90958, "158,96568"},
        {"negative amount", -2, 1, 0.5, "-4,00000"},
        {"a million euro in dollars", 1e6, 1, 0.90958, "1099408,51822"},
        {"eighteen digits, all of them", 1e9, 1, 0.000516457, "1936269621672,27856"},
        {"zero amount", 0, 1, 0.90958, ""},
        {"target rate 0", 1, 1, 0, ""},
        {"target rate 0, cross", 1, 0.5, 0, ""},
        {"zero amount, target rate 0", 0, 0.5, 0, ""},
        {"overflow", 1e300, 1e300, 1e-300, ""},
        {"infinite rate", 1, inf, 0.5, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ConvertedAmountText(row.amount, row.source, row.target),
                  QString::fromUtf8(row.text));
    }
}

class CurrencyCalculatorTest : public testing::Test {
protected:
    void choose(int first, int second)
    {
        calc.CurrencyChosen(AmountField::First, first);
        calc.CurrencyChosen(AmountField::Second, second);
    }
    // Types the key into the rate cell as its editor would, with the caret at the end.
    char16_t typeRate(int row, char16_t key)
    {
        const QString text = calc.GridRate(row);
        const char16_t passed = calc.RateKey(row, 1, FieldState{text, int(text.size())}, key,
                                             kToday, {services, services});
        if (passed == KeyChar::Backspace)
            calc.RateCellEdited(row, calc.GridRate(row).chopped(1));
        else if (passed != KeyChar::None && passed != KeyChar::Enter)
            calc.RateCellEdited(row, calc.GridRate(row) + QChar(passed));
        return passed;
    }
    ExchangeRates loaded(RateFileOutcome outcome)
    {
        ExchangeRates rates = ParseExchangeRates(QByteArray());
        rates.outcome = outcome;
        rates.date = QStringLiteral("01.01.2020");
        return rates;
    }

    CurrencyPageModel calc;
    RecordingServices services;
};

TEST_F(CurrencyCalculatorTest, StartsWithBuiltInRatesAndReturnsToEuroAndDollar)
{
    EXPECT_EQ(calc.GridRate(kAudRow), u"0,5594000");
    EXPECT_EQ(calc.DateLabel(), u"25.04.2008");
    EXPECT_EQ(calc.Amount(AmountField::First), u"");
    choose(kDem, kDem);
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    calc.SelectDefaultCurrencies();
    EXPECT_EQ(calc.Currency(AmountField::First), EuroEntry);
    EXPECT_EQ(calc.Currency(AmountField::Second), UsDollarEntry);
    EXPECT_EQ(calc.Hint(AmountField::Second), u"US Dollar");
    EXPECT_EQ(calc.Amount(AmountField::Second), u"1,09941");
}

TEST_F(CurrencyCalculatorTest, NewRatesKeepTheCurrenciesAndConvertTheAmountTypedLast)
{
    constexpr int kGbp = 22, kChf = 16;
    choose(kGbp, kChf);
    calc.AmountEdited(AmountField::First, QStringLiteral("5"));
    calc.AmountEdited(AmountField::Second, QStringLiteral("100"));
    ExchangeRates rates = loaded(RateFileOutcome::Loaded);
    rates.rates[kGbp - FirstFloatingEntry] = QStringLiteral("2");
    rates.rates[kChf - FirstFloatingEntry] = QStringLiteral("0,5");
    calc.TakeExchangeRates(rates);
    calc.ConvertAgain();
    EXPECT_EQ(calc.Currency(AmountField::First), kGbp);
    EXPECT_EQ(calc.Currency(AmountField::Second), kChf);
    EXPECT_EQ(calc.Amount(AmountField::Second), u"100");
    EXPECT_EQ(calc.Amount(AmountField::First), u"25,00000");
}

TEST_F(CurrencyCalculatorTest, TypingInEitherFieldRecomputesTheOther)
{
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    EXPECT_EQ(calc.Amount(AmountField::Second), u"1,09941");

    choose(kDem, EuroEntry);
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    EXPECT_EQ(calc.Amount(AmountField::Second), u"0,51129");
    calc.AmountEdited(AmountField::Second, QStringLiteral("1"));
    EXPECT_EQ(calc.Amount(AmountField::First), u"1,95583");

    // Unreadable and empty amounts read as 0 and empty the other field.
    calc.AmountEdited(AmountField::First, QStringLiteral("abc"));
    EXPECT_EQ(calc.Amount(AmountField::Second), u"");
    calc.AmountEdited(AmountField::First, QStringLiteral("2.5"));
    calc.AmountEdited(AmountField::First, QString());
    EXPECT_EQ(calc.Amount(AmountField::Second), u"");
}

TEST_F(CurrencyCalculatorTest, ChangingACurrencyRecomputesItsOwnField)
{
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    calc.CurrencyChosen(AmountField::Second, EuroEntry);
    EXPECT_EQ(calc.Amount(AmountField::First), u"1");
    EXPECT_EQ(calc.Amount(AmountField::Second), u"1,00000");
    EXPECT_EQ(calc.Hint(AmountField::Second), u"Euro");

    calc.CurrencyChosen(AmountField::First, kDem);
    EXPECT_EQ(calc.Amount(AmountField::First), u"1,95583");
    EXPECT_EQ(calc.Amount(AmountField::Second), u"1,00000");
    EXPECT_EQ(calc.Hint(AmountField::First), u"Deutsche Mark");
}

TEST_F(CurrencyCalculatorTest, AnEditedRateTakesEffectAtTheNextConversionAndDatesTheRates)
{
    calc.TakeExchangeRates(loaded(RateFileOutcome::Loaded));
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    EXPECT_EQ(calc.DateLabel(), u"01.01.2020");

    calc.RateCellEdited(kUsdRow, QString());
    for (char16_t key : {u'0', u'.', u'5'})
        typeRate(kUsdRow, key);
    EXPECT_EQ(calc.GridRate(kUsdRow), u"0,5");
    EXPECT_EQ(calc.DateLabel(), u"07.03.2024");
    EXPECT_EQ(calc.Amount(AmountField::Second), u"1,09941");
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    EXPECT_EQ(calc.Amount(AmountField::Second), u"2,00000");
    EXPECT_EQ(calc.Rates().RateText(UsDollarEntry), u"0,5");

    // A load replaces the hand edit by the file's rate.
    calc.TakeExchangeRates(loaded(RateFileOutcome::Loaded));
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    EXPECT_EQ(calc.Amount(AmountField::Second), u"1,09941");
}

TEST_F(CurrencyCalculatorTest, EditsAfterALoadWithoutFileKeepTheDate)
{
    calc.TakeExchangeRates(loaded(RateFileOutcome::Missing));
    EXPECT_TRUE(calc.LoadingGuard());
    EXPECT_EQ(calc.DateLabel(), u"25.04.2008");
    typeRate(kUsdRow, KeyChar::Backspace);
    EXPECT_EQ(calc.DateLabel(), u"25.04.2008");

    calc.TakeExchangeRates(loaded(RateFileOutcome::Truncated));
    EXPECT_FALSE(calc.LoadingGuard());
    typeRate(kUsdRow, KeyChar::Backspace);
    EXPECT_EQ(calc.DateLabel(), u"07.03.2024");
}

TEST_F(CurrencyCalculatorTest, AnEmptiedOrUnreadableTargetRateEmptiesTheOtherField)
{
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    for (const char* cell : {"", "-", ",", "0,0000000"}) {
        SCOPED_TRACE(cell);
        calc.RateCellEdited(kUsdRow, QString::fromUtf8(cell));
        calc.AmountEdited(AmountField::First, QStringLiteral("1"));
        EXPECT_EQ(calc.Amount(AmountField::Second), u"");
        // The other direction multiplies by the emptied rate: 0 as well.
        calc.AmountEdited(AmountField::Second, QStringLiteral("1"));
        EXPECT_EQ(calc.Amount(AmountField::First), u"");
    }
}

TEST_F(CurrencyCalculatorTest, RateCellKeys)
{
    using namespace KeyChar;
    calc.RateCellEdited(kAudRow, QStringLiteral("0,5"));
    EXPECT_EQ(typeRate(kAudRow, u'.'), None); // second separator
    EXPECT_EQ(typeRate(kAudRow, u','), None);
    EXPECT_EQ(typeRate(kAudRow, u'x'), None);
    EXPECT_EQ(typeRate(kAudRow, u'+'), None); // no calculator behind a number in the cell
    EXPECT_EQ(typeRate(kAudRow, u'7'), u'7');
    EXPECT_EQ(calc.GridRate(kAudRow), u"0,57");

    calc.RateCellEdited(kAudRow, QString());
    EXPECT_EQ(typeRate(kAudRow, u'.'), u',');

    // A nine-character cell takes no digit until one is deleted.
    calc.RateCellEdited(kAudRow, QStringLiteral("0,5594000"));
    EXPECT_EQ(typeRate(kAudRow, u'1'), None);
    EXPECT_EQ(typeRate(kAudRow, Backspace), Backspace);
    EXPECT_EQ(typeRate(kAudRow, Backspace), Backspace);
    EXPECT_EQ(typeRate(kAudRow, u'1'), u'1');
    EXPECT_EQ(calc.GridRate(kAudRow), u"0,559401");
    EXPECT_EQ(typeRate(kAudRow, u'2'), None);

    // Only the rate column is edited.
    EXPECT_EQ(calc.RateKey(kAudRow, 0, {}, u'1', kToday, {services, services}), None);
    EXPECT_EQ(calc.RateKey(kAudRow, 2, {}, u'1', kToday, {services, services}), None);
}

TEST_F(CurrencyCalculatorTest, ARateCellIsEditedAsAnyEditorWouldBeAndEscTakesTheEditBack)
{
    using namespace KeyChar;
    calc.TakeExchangeRates(loaded(RateFileOutcome::Loaded));
    const QString rate = calc.GridRate(kAudRow); // nine characters
    calc.BeginRateEdit(kAudRow);
    // Ctrl+A selects, and changes nothing; a digit then replaces the selected rate.
    const FieldState selected{rate, 9, 0, 9};
    EXPECT_EQ(calc.RateKey(kAudRow, 1, {rate, 9}, CtrlA, kToday, {services, services}), CtrlA);
    EXPECT_EQ(calc.DateLabel(), u"01.01.2020");
    EXPECT_EQ(calc.RateKey(kAudRow, 1, selected, u'7', kToday, {services, services}), u'7');
    EXPECT_EQ(calc.RateKey(kAudRow, 1, selected, u'.', kToday, {services, services}), u',');
    calc.RateCellEdited(kAudRow, QStringLiteral("7"));
    EXPECT_EQ(calc.DateLabel(), u"07.03.2024");

    calc.CancelRateEdit();
    EXPECT_EQ(calc.GridRate(kAudRow), rate);
    EXPECT_EQ(calc.DateLabel(), u"01.01.2020");
    calc.CancelRateEdit(); // nothing open: nothing to take back
    EXPECT_EQ(calc.GridRate(kAudRow), rate);
}

TEST_F(CurrencyCalculatorTest, OnlyKeysThatChangeARateDateTheRates)
{
    calc.TakeExchangeRates(loaded(RateFileOutcome::Loaded));
    for (char16_t key : {KeyChar::CtrlC, KeyChar::Enter, u'x'})
        typeRate(kAudRow, key);
    EXPECT_EQ(services.clipboard, u"0,5594000");
    services.clipboard = QStringLiteral("Kurs");
    EXPECT_EQ(typeRate(kAudRow, KeyChar::CtrlV), KeyChar::None);
    EXPECT_EQ(calc.GridRate(kAudRow), u"0,5594000");
    EXPECT_EQ(calc.DateLabel(), u"01.01.2020");

    // A pasted number replaces the cell.
    services.clipboard = QStringLiteral("0.61 ");
    EXPECT_EQ(typeRate(kAudRow, KeyChar::CtrlV), KeyChar::None);
    EXPECT_EQ(calc.GridRate(kAudRow), u"0,61");
    EXPECT_EQ(calc.DateLabel(), u"07.03.2024");
}

TEST(AmountKeys, OperatorsDroppedCopyWholeTextPasteOnlyNumbers)
{
    using namespace KeyChar;
    RecordingServices clip;
    const FieldState twelve{QStringLiteral("12"), 2};
    for (char16_t key : {u'*', u'+', u'-', u'/'})
        EXPECT_EQ(CurrencyPageModel::AmountKey(key, twelve, clip), None);
    EXPECT_EQ(CurrencyPageModel::AmountKey(u'5', twelve, clip), u'5');

    EXPECT_EQ(CurrencyPageModel::AmountKey(CtrlC, {QStringLiteral("12,5")}, clip), None);
    EXPECT_EQ(clip.clipboard, u"12,5");
    for (const char* text : {"1.5", "-3"}) {
        clip.clipboard = QString::fromUtf8(text);
        EXPECT_EQ(CurrencyPageModel::AmountKey(CtrlV, {}, clip), CtrlV) << text;
    }
    for (const char* text : {"", "1,2,3", "12 Euro"}) {
        clip.clipboard = QString::fromUtf8(text);
        EXPECT_EQ(CurrencyPageModel::AmountKey(CtrlV, {}, clip), None) << text;
    }
}

TEST(AmountKeys, TypingStopsAtTwelveCharactersAComputedAmountIsLonger)
{
    using namespace KeyChar;
    RecordingServices clip;
    const QString full = QStringLiteral("123456789012");
    EXPECT_EQ(CurrencyPageModel::AmountKey(u'3', {full, 12}, clip), None);
    EXPECT_EQ(CurrencyPageModel::AmountKey(u'3', {full.chopped(1), 11}, clip), u'3');
    EXPECT_EQ(CurrencyPageModel::AmountKey(u'3', {full, 12, 10, 2}, clip), u'3'); // replaces
    const QString computed = QStringLiteral("1936269621672,27856");
    EXPECT_EQ(CurrencyPageModel::AmountKey(u'3', {computed, 19}, clip), None);
    for (char16_t key : {Backspace, Enter, CtrlA})
        EXPECT_EQ(CurrencyPageModel::AmountKey(key, {computed, 19}, clip), key);
    // The whole amount converts back: nothing was cut from it.
    CurrencyPageModel calc;
    calc.CurrencyChosen(AmountField::Second, 8); // ITL
    calc.AmountEdited(AmountField::First, QStringLiteral("1000000000"));
    EXPECT_EQ(calc.Amount(AmountField::Second), computed);
    calc.AmountEdited(AmountField::Second, computed);
    EXPECT_EQ(calc.Amount(AmountField::First), u"1000000000,00000");
}

} // namespace
