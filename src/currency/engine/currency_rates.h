// The currencies of the currency page and their rates against the euro.
//
// Every rate is the value of one unit of the currency in euro (euro per unit); the euro
// has 1. Entries 0 to 11 are the former euro-zone currencies and the euro itself with
// their fixed conversion rates; entries 12 to 48 float: they come from the rate file,
// can be edited by hand in the rates grid (row r holds entry r + 12) and fall back to the
// built-in defaults of the table. A rate is kept as the text it came as ("," separator)
// and read each time it is used, so a hand-edited cell means exactly what it shows.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>
#include <span>

struct CurrencyEntry {
    QStringView code; // three letters, shown in the combos and the grid
    QStringView name; // German name; the page shows the translation
    double rate;      // euro per unit: the fixed rate, or the built-in default
    bool fixed;
};

inline constexpr int CurrencyCount = 49;
inline constexpr int FirstFloatingEntry = 12;
inline constexpr int FloatingCount = CurrencyCount - FirstFloatingEntry; // grid rows
inline constexpr int EuroEntry = 4;
inline constexpr int UsDollarEntry = 47;

// A currency that joined the euro after the first twelve: it keeps its row in the grid and
// its line in the rate file, but converts at the irrevocable rate of the regulation.
struct EuroJoinedCurrency {
    QStringView code;
    double unitsPerEuro; // as the regulation fixes it: units of the currency per euro
    const char* regulation;
};
std::span<const EuroJoinedCurrency> EuroJoinedCurrencies();
// The fixed rate of grid row `row` in euro per unit, or nothing for a floating currency.
std::optional<double> EuroJoinedRate(int row);
// The rate text of such a row: the shortest decimal text of its euro per unit.
QString EuroJoinedRateText(int row);

// The 49 currencies in combo order.
std::span<const CurrencyEntry, CurrencyCount> Currencies();
// The 49 codes in table order: the items of both currency combos.
QStringList CurrencyCodes();
// The date that goes with the built-in default rates.
QString BuiltInRateDate();

class CurrencyRates {
public:
    // Fixed rates and built-in defaults, as shortest decimal texts.
    CurrencyRates();

    QString RateText(int entry) const { return m_rateTexts.at(size_t(entry)); }
    void SetRateText(int entry, const QString& text) { m_rateTexts.at(size_t(entry)) = text; }
    // The rate in euro per unit, read leniently as the unit grids read a cell ("0,5594abc"
    // is 0.5594); 0 when the text holds no number, never infinite.
    double Rate(int entry) const;

    // The fixed rates are restored at every load; the floating ones fall back together.
    void ResetFixedRates();
    void ResetFloatingRates();

private:
    std::array<QString, CurrencyCount> m_rateTexts;
};
