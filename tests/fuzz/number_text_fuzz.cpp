// Number texts: whatever is typed or pasted either converts to a finite value or not at all,
// and every value written as a text converts back to itself within its digits.
#include "fuzz_target.h"

#include "common/number_text.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kRoundsBeyondRange = 1.5e308;

bool near(double back, double value, double tolerance)
{
    return std::fabs(back - value) <=
           tolerance * std::fabs(value) + std::numeric_limits<double>::denorm_min();
}

void checkWritten(double value)
{
    const QString general = GeneralText(value);
    const auto back = ParseNumber(general);
    // The classic format rounds the largest doubles up to "1,79769313486232E308", which lies
    // beyond the range and so converts to nothing; every other text converts back.
    if (!back) {
        FUZZ_CHECK(std::fabs(value) >= 1.797693134862315e308, general);
        return;
    }
    FUZZ_CHECK(near(*back, value, 1e-14), general);
    FUZZ_CHECK(IsNumberText(ResultText(value)), ResultText(value));
    for (int decimals = 0; decimals <= 9; decimals += 3) {
        const QString fixed = FixedText(value, decimals);
        const auto fixedBack = ParseNumber(fixed);
        FUZZ_CHECK(fixedBack && std::fabs(*fixedBack - value) <=
                                    0.5 * std::pow(10.0, -decimals) + 1e-15 * std::fabs(value),
                   fixed);
    }
    // Rounded to few decimals, a value at the top of the range is written beyond it ("2E308"
    // for 1,5E308 with no decimals) and converts to nothing; below that every text converts.
    if (std::fabs(value) >= kRoundsBeyondRange)
        return;
    for (int fix = -1; fix <= 9; fix += 5) {
        for (const auto style :
             {MantissaStyle::Written, MantissaStyle::Display, MantissaStyle::Formula}) {
            const QString shown = FormatMantissa(ResultText(value), fix, style);
            FUZZ_CHECK(IsNumberText(shown) && !ShowsNonFinite(shown), shown);
        }
    }
}

} // namespace

FUZZ_TARGET(number_text)
{
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw))
            checkWritten(raw);
    }
    FuzzInput in(data, size);
    const QChar separator = in.Byte() % 2 ? u'.' : u',';
    const QString text = QString::fromUtf8(in.Rest());
    if (const auto value = ParseNumber(text, separator)) {
        FUZZ_CHECK(std::isfinite(*value), text);
        checkWritten(*value);
    }
    // A text the display may hold keeps being a number whatever the decimals.
    const auto shownValue = ParseNumber(ToComma(text));
    if (shownValue && std::fabs(*shownValue) < kRoundsBeyondRange && !text.contains(u' ')) {
        for (int fix = -1; fix <= 9; fix += 2) {
            const QString shown = FormatMantissa(ToPoint(text), fix, MantissaStyle::Display);
            FUZZ_CHECK(shown.isEmpty() || IsNumberText(shown),
                       text + QStringLiteral(" -> ") + shown);
        }
    }
    return 0;
}
