#include "currency/engine/currency_page_model.h"

#include "common/cell_number.h"
#include "common/key_chars.h"
#include "common/number_text.h"
#include "currency/engine/rate_status.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int kRateCellLimit = 8;

// "%.5f": the digits of the double itself, rounded at the fifth decimal. The shortest text
// that reads back as the same double has at most 17 digits, so an amount with 13 integral
// digits would end in a made-up "0" (1 000 000 000 EUR are 1936269621672,27856 ITL).
QString amountText(double value)
{
    char buf[400]; // the largest double has 309 integral digits
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 5);
    if (res.ec != std::errc())
        return QString();
    return ToComma(QString::fromLatin1(buf, int(res.ptr - buf)));
}

bool isOperator(char16_t key)
{
    return key == u'*' || key == u'+' || key == u'-' || key == u'/';
}

// The text a typed key lands in: the selection is replaced by it.
QString withoutSelection(const FieldState& field)
{
    if (field.selectionLength <= 0)
        return field.text;
    return QString(field.text).remove(field.selectionStart, field.selectionLength);
}

bool validEntry(int entry)
{
    return entry >= 0 && entry < CurrencyCount;
}

} // namespace

QString ConvertedAmountText(double amount, double sourceRate, double targetRate)
{
    // An emptied or unreadable rate cell reads as 0; there is no amount to show then.
    if (targetRate == 0)
        return QString();
    double result;
    if (targetRate == 1)
        result = amount * sourceRate;
    else if (sourceRate == 1)
        result = amount * 1 / targetRate;
    else
        result = amount / targetRate * sourceRate;
    if (!std::isfinite(result) || result == 0)
        return QString();
    return amountText(result);
}

ControlTexts CurrencyControlTexts()
{
    using T = TextProperty;
    QList<ControlTexts::Entry> entries{
        {QStringLiteral("gbo_umrechnung"), T::Caption, QStringLiteral("Umrechnung")},
        {QStringLiteral("gbo_kurse"), T::Caption, QStringLiteral("Aktuelle Kurse")},
        {QStringLiteral("lbl_KursZumEuro"), T::Caption, QStringLiteral("Kurse zum Euro:")},
        {QStringLiteral("lbl_datum1"), T::Caption, QStringLiteral("Stand vom ")},
        {QStringLiteral("img_kursupdate"), T::Hint,
         QStringLiteral("Kurse jetzt über das Internet aktualisieren")},
        {QStringLiteral("gbo_einstellungen"), T::Caption, QStringLiteral("Einstellungen")},
        {QStringLiteral("chk_onTop"), T::Caption, QStringLiteral("Programm immer im Vordergrund")},
        {QStringLiteral("chk_kursupdate"), T::Caption,
         QStringLiteral("Automatische Kursaktualisierung bei Programmstart ")},
        {QStringLiteral("chk_autostart"), T::Caption,
         QStringLiteral("Programm bei Windows-Start laden")},
        // The same box where the program starts with the user's login rather than Windows.
        {QStringLiteral("chk_autostart_anmeldung"), T::Caption,
         QStringLiteral("Mit der Anmeldung starten")},
    };
    // What the page says about an update: texts of no control, translated with the page's.
    entries += RateStatusTexts().Entries();
    return ControlTexts(std::move(entries));
}

CurrencyPageModel::CurrencyPageModel() : m_currencies{EuroEntry, UsDollarEntry}
{
    for (const CurrencyEntry& c : Currencies())
        m_names << c.name.toString();
    ExchangeRates builtIn;
    for (int row = 0; row < FloatingCount; ++row)
        builtIn.rates[size_t(row)] = m_rates.RateText(FirstFloatingEntry + row);
    builtIn.outcome = RateFileOutcome::Truncated; // built-in rates with their own date
    TakeExchangeRates(builtIn);
}

QString CurrencyPageModel::Hint(AmountField field) const
{
    const int entry = Currency(field);
    return validEntry(entry) ? Name(entry) : QString();
}

void CurrencyPageModel::SetNames(const QStringList& names)
{
    for (int i = 0; i < CurrencyCount && i < names.size(); ++i)
        m_names[i] = names[i];
}

void CurrencyPageModel::TakeExchangeRates(const ExchangeRates& loaded)
{
    m_rates.ResetFixedRates();
    for (int row = 0; row < FloatingCount; ++row) {
        m_rates.SetRateText(FirstFloatingEntry + row, loaded.rates[size_t(row)]);
        m_loadedRates[size_t(row)] = loaded.rates[size_t(row)];
        m_staleSince[size_t(row)] = loaded.staleSince[size_t(row)];
        m_gridRates[size_t(row)] = FixedText(FieldFloat(loaded.rates[size_t(row)]), 7);
    }
    m_dateLabel = DateLabelText(loaded, m_dateLabel);
    m_loadingGuard = loaded.outcome == RateFileOutcome::Missing;
}

bool CurrencyPageModel::IsRateEditable(int row, int column)
{
    return IsRateColumn(column) && row >= 0 && row < FloatingCount && !EuroJoinedRate(row);
}

bool CurrencyPageModel::RateCellEdited(int row, const QString& text)
{
    if (!IsRateEditable(row, 1) || m_gridRates.at(size_t(row)) == text)
        return false;
    m_gridRates.at(size_t(row)) = text;
    m_staleSince.at(size_t(row)).clear(); // the user's own rate is current by their word
    return true;
}

QString CurrencyPageModel::rateToUse(int row) const
{
    const QString& loaded = m_loadedRates[size_t(row)];
    const QString& shown = m_gridRates[size_t(row)];
    return FixedText(FieldFloat(loaded), 7) == shown ? loaded : shown;
}

ExchangeRates CurrencyPageModel::RatesToKeep() const
{
    ExchangeRates kept;
    kept.outcome = RateFileOutcome::Loaded;
    kept.date = m_dateLabel;
    kept.staleSince = m_staleSince;
    for (int row = 0; row < FloatingCount; ++row)
        kept.rates[size_t(row)] = EuroJoinedRate(row) ? EuroJoinedRateText(row) : rateToUse(row);
    return kept;
}

void CurrencyPageModel::SelectDefaultCurrencies()
{
    m_currencies = {EuroEntry, UsDollarEntry};
    ConvertCurrency(AmountField::First);
}

void CurrencyPageModel::AmountEdited(AmountField field, const QString& text)
{
    m_amounts[index(field)] = text;
    m_lastEdited = field;
    ConvertCurrency(field);
}

void CurrencyPageModel::CurrencyChosen(AmountField combo, int entry)
{
    m_currencies[index(combo)] = entry;
    ConvertCurrency(combo == AmountField::First ? AmountField::Second : AmountField::First);
}

void CurrencyPageModel::ConvertCurrency(AmountField edited)
{
    // The grid shows seven decimals, too few for a rupiah: a rate the user left alone, and a
    // fixed euro rate, convert with every digit they came with.
    for (int row = 0; row < FloatingCount; ++row)
        if (!EuroJoinedRate(row))
            m_rates.SetRateText(FirstFloatingEntry + row, rateToUse(row));
    const AmountField other =
        edited == AmountField::First ? AmountField::Second : AmountField::First;
    const int source = Currency(edited);
    const int target = Currency(other);
    if (!validEntry(source) || !validEntry(target))
        return;
    m_amounts[index(other)] = ConvertedAmountText(ReadCellValue(Amount(edited)),
                                                  m_rates.Rate(source), m_rates.Rate(target));
}

char16_t CurrencyPageModel::AmountKey(char16_t key, const FieldState& field,
                                      TextClipboard& clipboard)
{
    if (isOperator(key))
        return KeyChar::None;
    if (key == KeyChar::CtrlC) {
        clipboard.SetText(field.text);
        return KeyChar::None;
    }
    if (key == KeyChar::CtrlV && !IsNumberText(clipboard.Text()))
        return KeyChar::None;
    if (key >= u' ' && withoutSelection(field).size() >= AmountLength)
        return KeyChar::None;
    return key;
}

char16_t CurrencyPageModel::RateKey(int row, int column, const FieldState& editor, char16_t key,
                                    const QDate& today, KeyFilterServices services)
{
    if (!IsRateEditable(row, column))
        return KeyChar::None;
    if (key == KeyChar::CtrlA)
        return key; // the editor selects its whole text
    QString& cell = m_gridRates[size_t(row)];
    // Ctrl+C copies the whole rate; every other key lands where the selection is.
    QString text = key == KeyChar::CtrlC ? cell : withoutSelection(editor);
    const char16_t typed = key;
    CheckNumericKey(NumericMode::Decimal, kRateCellLimit, text, key, services);
    // The filter has made "," a "." and dropped a second separator; the grid writes ",".
    if (key == u'.')
        key = u',';
    // Only a number is pasted into a rate, so the cell never holds what no rate can be.
    const bool pasted =
        typed == KeyChar::CtrlV && !services.clipboard.Text().isEmpty() && IsNumberText(text);
    if (pasted)
        cell = ToComma(text.trimmed());
    const bool edits = pasted || (key != KeyChar::None && key != KeyChar::Enter);
    if (edits && !m_loadingGuard)
        m_dateLabel = today.toString(QStringLiteral("dd.MM.yyyy"));
    return key;
}

void CurrencyPageModel::BeginRateEdit(int row)
{
    if (row < 0 || row >= FloatingCount)
        return;
    m_rateEdit = {row, m_gridRates[size_t(row)], m_dateLabel};
}

void CurrencyPageModel::CancelRateEdit()
{
    if (m_rateEdit.row < 0)
        return;
    m_gridRates[size_t(m_rateEdit.row)] = m_rateEdit.rate;
    m_dateLabel = m_rateEdit.date;
    m_rateEdit = {};
}
