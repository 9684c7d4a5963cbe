#include "currency/engine/currency_rates.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

TEST(CurrencyTable, TwelveFixedThenThirtySevenFloatingWithDistinctCodes)
{
    const auto currencies = Currencies();
    QSet<QString> codes;
    for (int i = 0; i < CurrencyCount; ++i) {
        SCOPED_TRACE(i);
        const CurrencyEntry& c = currencies[size_t(i)];
        EXPECT_EQ(c.fixed, i < FirstFloatingEntry);
        EXPECT_EQ(c.code.size(), 3);
        EXPECT_GT(c.rate, 0);
        codes.insert(c.code.toString());
    }
    EXPECT_EQ(codes.size(), CurrencyCount);
    EXPECT_EQ(currencies[EuroEntry].code, u"EUR");
    EXPECT_EQ(currencies[EuroEntry].rate, 1.0);
    EXPECT_EQ(currencies[UsDollarEntry].code, u"USD");
    EXPECT_EQ(CurrencyCodes().size(), CurrencyCount);
    EXPECT_EQ(CurrencyCodes().at(FirstFloatingEntry), u"AUD");
}

TEST(CurrencyRates, BuiltInRatesAreShortestCommaTexts)
{
    const CurrencyRates rates;
    EXPECT_EQ(rates.RateText(2), u"0,511291881"); // DEM
    EXPECT_EQ(rates.RateText(EuroEntry), u"1");
    EXPECT_EQ(rates.RateText(12), u"0,5594"); // AUD
    EXPECT_EQ(rates.RateText(29), u"0,0006"); // KRW
    EXPECT_EQ(rates.RateText(UsDollarEntry), u"0,90958");
    EXPECT_EQ(rates.Rate(UsDollarEntry), 0.90958);
}

TEST(CurrencyRates, RateTextsAreReadLeniently)
{
    const struct {
        const char* text;
        double rate;
    } rows[] = {
        {"0,5594000", 0.5594},
        {"0.6789", 0.6789},
        {"0,6789 ", 0.6789},
        {"1,5abc", 1.5},
        {"", 0},
        {"-", 0},
        {"abc", 0},
        {"1E999", 0},
    };
    CurrencyRates rates;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        rates.SetRateText(UsDollarEntry, QString::fromUtf8(row.text));
        EXPECT_EQ(rates.Rate(UsDollarEntry), row.rate);
    }
}

} // namespace
