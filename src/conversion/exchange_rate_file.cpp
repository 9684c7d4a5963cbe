#include "conversion/exchange_rate_file.h"

#include <QDir>
#include <QFile>

namespace {

constexpr int kIgnoredLeadBytes = 6;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

ExchangeRates builtInRates(RateFileOutcome outcome)
{
    ExchangeRates out;
    out.outcome = outcome;
    const CurrencyRates builtIn;
    for (int row = 0; row < FloatingCount; ++row)
        out.rates[size_t(row)] = builtIn.RateText(FirstFloatingEntry + row);
    return out;
}

// The grid row of a floating currency's code; -1 for any other text.
int floatingRow(const QString& code)
{
    const auto currencies = Currencies();
    for (int row = 0; row < FloatingCount; ++row)
        if (currencies[size_t(FirstFloatingEntry + row)].code == code)
            return row;
    return -1;
}

} // namespace

ExchangeRates ParseExchangeRates(const QByteArray& bytes)
{
    const qsizetype n = bytes.size();
    qsizetype pos = 0;
    // An editor that saved the file as UTF-8 put a byte-order mark before the six bytes.
    if (bytes.startsWith("\xEF\xBB\xBF"))
        pos = 3;
    pos += kIgnoredLeadBytes;

    QString date;
    for (; pos < n && !isLineEnd(bytes[pos]); ++pos)
        if (bytes[pos] != ' ')
            date += QLatin1Char(bytes[pos]);
    if (pos >= n)
        return builtInRates(RateFileOutcome::Truncated);

    ExchangeRates out = builtInRates(RateFileOutcome::Loaded);
    for (int line = 1; line <= FloatingCount; ++line) {
        while (pos < n && isLineEnd(bytes[pos]))
            ++pos;
        const qsizetype start = pos;
        while (pos < n && !isLineEnd(bytes[pos]))
            ++pos;
        // A line is complete at its line end; the last one may also end with the file.
        const bool complete = pos < n || (line == FloatingCount && pos > start);
        if (!complete)
            return builtInRates(RateFileOutcome::Truncated);
        const QString text = QString::fromLatin1(bytes.constData() + start, pos - start);
        // Unknown codes still use up one of the 37 lines; a later line for the same code wins.
        if (const int row = floatingRow(text.left(3)); row >= 0) {
            QString rate = text.mid(4);
            rate.replace(u'.', u',');
            out.rates[size_t(row)] = rate;
        }
    }
    out.date = date;
    return out;
}

ExchangeRates LoadExchangeRates(const QString& folder)
{
    QFile file(QDir(folder).filePath(QStringLiteral("kurse.txt")));
    if (!file.exists())
        return builtInRates(RateFileOutcome::Missing);
    // A file that is there but cannot be read counts as one that holds nothing.
    if (!file.open(QIODevice::ReadOnly))
        return builtInRates(RateFileOutcome::Truncated);
    return ParseExchangeRates(file.readAll());
}

QString DateLabelText(const ExchangeRates& loaded, const QString& currentLabel)
{
    switch (loaded.outcome) {
    case RateFileOutcome::Loaded:
        return loaded.date;
    case RateFileOutcome::Truncated:
        return BuiltInRateDate();
    case RateFileOutcome::Missing:
        break;
    }
    return currentLabel;
}
