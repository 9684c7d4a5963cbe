#include "conversion/exchange_rate_file.h"

#include "calculator/number_text.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QXmlStreamReader>

#include <cmath>

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

QByteArray WriteExchangeRates(const ExchangeRates& rates)
{
    QByteArray out = "Stand: " + rates.date.toLatin1() + "\r\n";
    const auto currencies = Currencies();
    for (int row = 0; row < FloatingCount; ++row) {
        out += currencies[size_t(FirstFloatingEntry + row)].code.toLatin1();
        out += ';';
        out += rates.rates[size_t(row)].toLatin1();
        out += "\r\n";
    }
    return out;
}

std::optional<ExchangeRates> ImportReferenceRates(const QByteArray& xml,
                                                  const ExchangeRates& previous)
{
    ExchangeRates out = previous;
    out.outcome = RateFileOutcome::Loaded;
    QDate date;
    int taken = 0;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (attributes.hasAttribute(QStringLiteral("time")))
            date =
                QDate::fromString(attributes.value(QStringLiteral("time")).toString(), Qt::ISODate);
        if (!attributes.hasAttribute(QStringLiteral("currency")))
            continue;
        const int row = floatingRow(attributes.value(QStringLiteral("currency")).toString());
        const auto perEuro = ParseNumber(attributes.value(QStringLiteral("rate")).toString(), u'.');
        if (row < 0 || !perEuro || !(*perEuro > 0))
            continue;
        // Nine decimals keep four significant digits even for a rupiah of some 1/16000 euro.
        const double euroPerUnit = 1.0 / *perEuro;
        if (!std::isfinite(euroPerUnit))
            continue;
        out.rates[size_t(row)] = StripTrailingZeros(FixedText(euroPerUnit, 9));
        ++taken;
    }
    if (!date.isValid() || taken == 0)
        return std::nullopt;
    out.date = date.toString(QStringLiteral("dd.MM.yyyy"));
    return out;
}
