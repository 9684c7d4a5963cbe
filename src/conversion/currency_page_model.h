// The currency page as data: two amount fields with a currency combo each, the rates grid
// (row r: code, rate and name of entry r + 12) and the date label of the rates.
//
// Typing into either amount field recomputes the other one at once; choosing a currency
// recomputes the amount of that currency's field. The grid's rate texts take effect at the
// next conversion. The page turns each event into one call here and then copies the texts
// below into its widgets.
#pragma once

#include "calculator/control_texts.h"
#include "calculator/key_filter.h"
#include "conversion/currency_rates.h"
#include "conversion/exchange_rate_file.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

// Field 1 with cbo_waehrung_1, field 2 with cbo_waehrung_2.
enum class AmountField { First, Second };

// The text the other amount field receives for `amount` of the source currency: five
// decimals with ",", or empty when the result is zero or cannot be shown (a target rate
// of 0 included). Rates in euro per unit.
QString ConvertedAmountText(double amount, double sourceRate, double targetRate);

// Captions and hints of the page's controls, German.
ControlTexts CurrencyControlTexts();

class CurrencyPageModel {
public:
    CurrencyPageModel();

    QString Amount(AmountField field) const { return m_amounts[index(field)]; }
    // The entry chosen in the field's combo; -1 while the combo has none.
    int Currency(AmountField field) const { return m_currencies[index(field)]; }
    // The combo's hint: the name of its currency.
    QString Hint(AmountField field) const;
    QString Name(int entry) const { return m_names.value(entry); }
    // Column 1 of grid row 0 … 36.
    QString GridRate(int row) const { return m_gridRates.at(size_t(row)); }
    QString DateLabel() const { return m_dateLabel; }
    // The date since which grid row `row` has had no current rate; empty while it has one.
    QString StaleSince(int row) const { return m_staleSince.at(size_t(row)); }
    // Set while rates are loaded; stays set after a load that found no file, so that hand
    // edits do not date built-in rates.
    bool LoadingGuard() const { return m_loadingGuard; }
    const CurrencyRates& Rates() const { return m_rates; }

    // Translated names in table order; entries the list does not reach keep theirs.
    void SetNames(const QStringList& names);

    // Fixed rates restored, the loaded floating rates and date taken, the grid rewritten
    // (hand edits are lost).
    void TakeExchangeRates(const ExchangeRates& loaded);
    // After rates were loaded anew (a finished update, a change of language): the chosen
    // currencies and the amounts stay, and the amount typed last converts again.
    void ConvertAgain() { ConvertCurrency(m_lastEdited); }
    // EUR and USD chosen, field 2 recomputed from field 1: the choice at start-up.
    void SelectDefaultCurrencies();

    // The text of an amount field changed (after every key): the other field follows.
    void AmountEdited(AmountField field, const QString& text);
    // A combo's currency changed: its own field is recomputed from the other one.
    void CurrencyChosen(AmountField combo, int entry);
    // Recomputes the other field from `edited`, with the grid's rates.
    void ConvertCurrency(AmountField edited);

    // A key typed into an amount field: the key to insert, or KeyChar::None. Typing stops at
    // AmountLength characters; a computed amount is longer when it must be, and is never
    // cut (a cut "1936269621672,27856" would read ten times too small).
    static constexpr int AmountLength = 12;
    static char16_t AmountKey(char16_t key, const FieldState& field, TextClipboard& clipboard);

    static bool IsRateColumn(int column) { return column == 1; }
    // Only the rate column of a currency with a floating rate can be edited: the rows of the
    // currencies that joined the euro show their fixed rate.
    static bool IsRateEditable(int row, int column);
    // A key typed into grid cell (row, column) while its editor holds `cell` (the rate,
    // perhaps selected): the key the editor inserts, or KeyChar::None. A typed key replaces
    // the selection, so the checks look at the text without it. A paste replaces
    // GridRate(row) itself. An edit dates the rates `today`, unless the loading guard is set.
    char16_t RateKey(int row, int column, const FieldState& cell, char16_t key, const QDate& today,
                     KeyFilterServices services);
    // The rate cell's text after an edit; true when the rate changed.
    bool RateCellEdited(int row, const QString& text);
    // An editor opened on a rate cell: Esc (CancelRateEdit) brings back the rate and the date
    // of the rates as they were now.
    void BeginRateEdit(int row);
    void CancelRateEdit();
    // The rates as the grid shows them, with the date label: what the user's own rate file
    // keeps after a hand edit.
    ExchangeRates RatesToKeep() const;

private:
    static size_t index(AmountField field) { return field == AmountField::First ? 0 : 1; }
    // The loaded rate while the grid still shows it rounded, else the grid's text.
    QString rateToUse(int row) const;

    CurrencyRates m_rates;
    QStringList m_names;
    std::array<QString, FloatingCount> m_gridRates;
    std::array<QString, FloatingCount> m_loadedRates; // as the file had them, every digit
    std::array<QString, FloatingCount> m_staleSince;
    std::array<QString, 2> m_amounts;
    std::array<int, 2> m_currencies{-1, -1};
    AmountField m_lastEdited = AmountField::First;
    struct RateEdit {
        int row = -1;
        QString rate;
        QString date;
    } m_rateEdit;
    QString m_dateLabel;
    bool m_loadingGuard = false;
};
