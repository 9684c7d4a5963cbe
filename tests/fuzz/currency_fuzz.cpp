// The currency calculator under any amounts, currency choices and rate edits: a computed
// amount is empty or a number text, never a value that is no number.
#include "fuzz_target.h"

#include "calculator/number_text.h"
#include "conversion/currency_page_model.h"

namespace {

// The amount computed from the other field; a source that is no number leaves it as it was.
void checkAmount(const CurrencyPageModel& calc, AmountField computed)
{
    const QString text = calc.Amount(computed);
    const QString source =
        calc.Amount(computed == AmountField::First ? AmountField::Second : AmountField::First);
    FUZZ_CHECK(!ShowsNonFinite(text), text);
    if (IsNumberText(source))
        FUZZ_CHECK(text.isEmpty() || IsNumberText(text), source + QStringLiteral(" -> ") + text);
}

} // namespace

FUZZ_TARGET(currency)
{
    FuzzInput in(data, size);
    CurrencyPageModel currency;
    currency.SelectDefaultCurrencies();
    for (int step = 0; step < 64 && !in.Empty(); ++step) {
        const int a = in.Byte();
        const auto field = a % 2 ? AmountField::First : AmountField::Second;
        const auto other = a % 2 ? AmountField::Second : AmountField::First;
        if (a < 128) {
            currency.AmountEdited(field, in.Text(20));
            checkAmount(currency, other);
        } else if (a < 192) {
            currency.CurrencyChosen(field, in.Pick(CurrencyCount));
            checkAmount(currency, field);
        } else {
            currency.RateCellEdited(in.Pick(FloatingCount), in.Text(16));
        }
    }
    return 0;
}
