#include "currency/engine/currency_rates.h"

#include "common/cell_number.h"
#include "common/number_text.h"

namespace {

constexpr std::array<CurrencyEntry, CurrencyCount> kCurrencies{{
    {u"ATS", u"Österreichische Schilling", 0.072672834, true},
    {u"BEF", u"Belgische Franc", 0.024789352, true},
    {u"DEM", u"Deutsche Mark", 0.511291881, true},
    {u"ESP", u"Spanische Peseta", 0.006010121, true},
    {u"EUR", u"Euro", 1, true},
    {u"FIM", u"Finnische Mark", 0.168187926, true},
    {u"FRF", u"Französische Franc", 0.152449017, true},
    {u"IEP", u"Irische Pfund", 1.269738078, true},
    {u"ITL", u"Italienische Lira", 0.000516457, true},
    {u"LUF", u"Luxemburgische Franc", 0.024789352, true},
    {u"NLG", u"Holländische Gulden", 0.453780216, true},
    {u"PTE", u"Portugisische Escudos", 0.004987979, true},
    {u"AUD", u"Australischer Dollar", 0.5594, false},
    {u"BGN", u"Bulgarischer Lew", 0.51129, false},
    {u"BRL", u"Brasilianischer Real", 0.39566, false},
    {u"CAD", u"Kanadischer Dollar", 0.62484, false},
    {u"CHF", u"Schweizer Franken", 0.66524, false},
    {u"CNY", u"Chinesischer Yuan", 0.09303, false},
    {u"CYP", u"Zypern-Pfund", 1.66722, false},
    {u"CZK", u"Tschechische Kronen", 0.03134, false},
    {u"DKK", u"Dänische Kronen", 0.13467, false},
    {u"EEK", u"Estnische Krone", 0.06391, false},
    {u"GBP", u"Britische Pfund", 1.44592, false},
    {u"HKD", u"HongKong-Dollar", 0.11658, false},
    {u"HRK", u"Kroatische Kuna", 0.12855, false},
    {u"HUF", u"Ungarische Forint", 0.00406, false},
    {u"IDR", u"Indonesische Rupie", 6.92706E-5, false},
    {u"ISK", u"Isländische Kronen", 0.00824, false},
    {u"JPY", u"Japanischer Yen", 0.00752, false},
    {u"KRW", u"Südkoreanischer Won", 0.0006, false},
    {u"LTL", u"Litauischer Litas", 0.28962, false},
    {u"LVL", u"Lettischer Lats", 1.41843, false},
    {u"MTL", u"Maltesische Lire", 2.34852, false},
    {u"MYR", u"Malaysicher Ringgit", 0.19523, false},
    {u"MXN", u"Mexikanischer Peso", 0.06159, false},
    {u"NOK", u"Norwegische Kronen", 0.12805, false},
    {u"NZD", u"Neuseeländische Dollar", 0.48325, false},
    {u"PHP", u"Philippinische Peso", 0.01405, false},
    {u"PLN", u"Polnische Zloty", 0.28647, false},
    {u"RON", u"Rumänische Leu", 0.2331, false},
    {u"RUR", u"Russische Rubel", 0.02897, false},
    {u"SEK", u"Schwedische Kronen", 0.10962, false},
    {u"SGD", u"Singapur Dollar", 0.46825, false},
    {u"SIT", u"Slovenische Tolar", 0.00421, false},
    {u"SKK", u"Slovakische Kronen", 0.0244, false},
    {u"THB", u"Thailändische Baht", 0.01906, false},
    {u"TRY", u"Türkische Lira", 0.5162, false},
    {u"USD", u"US Dollar", 0.90958, false},
    {u"ZAR", u"Südafrikanischer Rand", 0.10647, false},
}};

// Conversion rates fixed by the Council of the European Union, each in a regulation
// amending Council Regulation (EC) No 2866/98 on the conversion rates to the euro.
constexpr std::array<EuroJoinedCurrency, 9> kEuroJoined{{
    {u"SIT", 239.640, "Council Regulation (EC) No 1086/2006 (Slovenia, 2007)"},
    {u"CYP", 0.585274, "Council Regulation (EC) No 1135/2007 (Cyprus, 2008)"},
    {u"MTL", 0.429300, "Council Regulation (EC) No 1134/2007 (Malta, 2008)"},
    {u"SKK", 30.1260, "Council Regulation (EC) No 694/2008 (Slovakia, 2009)"},
    {u"EEK", 15.6466, "Council Regulation (EU) No 671/2010 (Estonia, 2011)"},
    {u"LVL", 0.702804, "Council Regulation (EU) No 870/2013 (Latvia, 2014)"},
    {u"LTL", 3.45280, "Council Regulation (EU) No 851/2014 (Lithuania, 2015)"},
    {u"HRK", 7.53450, "Council Regulation (EU) 2022/1208 (Croatia, 2023)"},
    {u"BGN", 1.95583, "Council Regulation (EU) of July 2025 (Bulgaria, 2026)"},
}};

} // namespace

std::span<const EuroJoinedCurrency> EuroJoinedCurrencies()
{
    return kEuroJoined;
}

std::optional<double> EuroJoinedRate(int row)
{
    if (row < 0 || row >= FloatingCount)
        return std::nullopt;
    const QStringView code = kCurrencies[size_t(FirstFloatingEntry + row)].code;
    for (const EuroJoinedCurrency& joined : kEuroJoined)
        if (joined.code == code)
            return 1.0 / joined.unitsPerEuro;
    return std::nullopt;
}

QString EuroJoinedRateText(int row)
{
    const auto rate = EuroJoinedRate(row);
    return rate ? GeneralText(*rate) : QString();
}

std::span<const CurrencyEntry, CurrencyCount> Currencies()
{
    return kCurrencies;
}

QStringList CurrencyCodes()
{
    QStringList codes;
    for (const CurrencyEntry& c : kCurrencies)
        codes << c.code.toString();
    return codes;
}

QString BuiltInRateDate()
{
    return QStringLiteral("25.04.2008");
}

double CurrencyRates::Rate(int entry) const
{
    return ReadCellValue(RateText(entry));
}

CurrencyRates::CurrencyRates()
{
    ResetFixedRates();
    ResetFloatingRates();
}

void CurrencyRates::ResetFixedRates()
{
    for (int i = 0; i < FirstFloatingEntry; ++i)
        m_rateTexts[size_t(i)] = GeneralText(kCurrencies[size_t(i)].rate);
}

void CurrencyRates::ResetFloatingRates()
{
    for (int i = FirstFloatingEntry; i < CurrencyCount; ++i)
        m_rateTexts[size_t(i)] = EuroJoinedRate(i - FirstFloatingEntry)
                                     ? EuroJoinedRateText(i - FirstFloatingEntry)
                                     : GeneralText(kCurrencies[size_t(i)].rate);
}
