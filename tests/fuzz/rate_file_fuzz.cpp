// The exchange-rate file and the reference-rate XML from any bytes: the file loads (and is
// written back unchanged) or falls back to the built-in rates, and no rate it brings makes
// the currency page show a value that is no number.
#include "fuzz_target.h"

#include "calculator/number_text.h"
#include "conversion/currency_page_model.h"
#include "conversion/exchange_rate_file.h"

#include <QRegularExpression>

FUZZ_TARGET(rate_file)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const ExchangeRates loaded = ParseExchangeRates(bytes);
    FUZZ_CHECK(loaded.outcome != RateFileOutcome::Missing, QString());
    static const CurrencyRates builtIn;
    if (loaded.outcome == RateFileOutcome::Truncated) {
        FUZZ_CHECK(loaded.date.isEmpty(), loaded.date);
        for (int row = 0; row < FloatingCount; ++row)
            FUZZ_CHECK(loaded.rates[size_t(row)] == builtIn.RateText(FirstFloatingEntry + row),
                       loaded.rates[size_t(row)]);
    } else {
        const ExchangeRates again = ParseExchangeRates(WriteExchangeRates(loaded));
        FUZZ_CHECK(again.outcome == RateFileOutcome::Loaded && again.date == loaded.date &&
                       again.rates == loaded.rates,
                   loaded.date);
    }

    CurrencyPageModel page;
    page.TakeExchangeRates(loaded);
    page.SelectDefaultCurrencies();
    page.AmountEdited(AmountField::First, QStringLiteral("1"));
    for (int entry = 0; entry < CurrencyCount; entry += 8) {
        page.CurrencyChosen(AmountField::Second, entry);
        const QString amount = page.Amount(AmountField::Second);
        FUZZ_CHECK(!ShowsNonFinite(amount) && (amount.isEmpty() || IsNumberText(amount)), amount);
    }

    if (const auto imported = ImportReferenceRates(bytes, loaded)) {
        static const QRegularExpression date(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}$"));
        FUZZ_CHECK(date.match(imported->date).hasMatch(), imported->date);
        for (int row = 0; row < FloatingCount; ++row) {
            const QString& rate = imported->rates[size_t(row)];
            if (rate == loaded.rates[size_t(row)])
                continue;
            const auto value = ParseNumber(rate);
            FUZZ_CHECK(value && std::isfinite(*value) && *value >= 0, rate);
        }
    }
    return 0;
}
