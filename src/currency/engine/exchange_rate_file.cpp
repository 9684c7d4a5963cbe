#include "currency/engine/exchange_rate_file.h"

#include "common/number_text.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>

#include <cmath>

namespace {

constexpr int kIgnoredLeadBytes = 6;

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Whatever a file or a download says, a currency that joined the euro keeps its fixed rate.
void fixEuroJoinedRates(ExchangeRates& rates)
{
    for (int row = 0; row < FloatingCount; ++row)
        if (EuroJoinedRate(row))
            rates.rates[size_t(row)] = EuroJoinedRateText(row);
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

const QString kRateFileName = QStringLiteral("kurse.txt");

// Lines after the 37th are not rate lines, and no reader of the format reads them: there the
// program notes the rates that are not current, one "RUR seit 25.04.2008" a line.
const QString kStaleNote = QStringLiteral(" seit ");

int floatingRow(const QString& code);

void readStaleNotes(const QByteArray& rest, ExchangeRates& rates)
{
    QByteArray lines = rest;
    lines.replace('\r', '\n');
    for (const QByteArray& line : lines.split('\n')) {
        const QString text = QString::fromLatin1(line).trimmed();
        const int row = floatingRow(text.left(3));
        if (row >= 0 && text.mid(3, kStaleNote.size()) == kStaleNote && !EuroJoinedRate(row))
            rates.staleSince[size_t(row)] = text.mid(3 + kStaleNote.size());
    }
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
    fixEuroJoinedRates(out);
    readStaleNotes(bytes.mid(pos), out);
    return out;
}

std::optional<ExchangeRates> ParseDownloadedRates(const QByteArray& bytes)
{
    ExchangeRates parsed = ParseExchangeRates(bytes);
    if (parsed.outcome != RateFileOutcome::Loaded ||
        !QDate::fromString(parsed.date, QStringLiteral("dd.MM.yyyy")).isValid())
        return std::nullopt;
    // The lenient reader skips what it does not know; a download must be all rate lines.
    qsizetype pos = bytes.indexOf('\r');
    if (const qsizetype lf = bytes.indexOf('\n'); pos < 0 || (lf >= 0 && lf < pos))
        pos = lf;
    QByteArray rest = bytes.mid(pos);
    rest.replace('\r', '\n');
    const QList<QByteArray> lines = rest.split('\n');
    int rateLines = 0;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (++rateLines > FloatingCount)
            break;
        const QString text = QString::fromLatin1(line);
        const auto rate = ParseNumber(ToComma(text.mid(4)));
        if (floatingRow(text.left(3)) < 0 || text.size() < 5 || !rate || !(*rate > 0) ||
            !std::isfinite(*rate))
            return std::nullopt;
    }
    if (rateLines < FloatingCount)
        return std::nullopt;
    return parsed;
}

ExchangeRates LoadExchangeRates(const QString& folder)
{
    QFile file(QDir(folder).filePath(kRateFileName));
    if (!file.exists())
        return builtInRates(RateFileOutcome::Missing);
    // A file that is there but cannot be read counts as one that holds nothing.
    if (!file.open(QIODevice::ReadOnly))
        return builtInRates(RateFileOutcome::Truncated);
    return ParseExchangeRates(file.readAll());
}

ExchangeRates LoadUserOrDeliveredRates(const QString& userFolder, const QString& programFolder)
{
    if (!userFolder.isEmpty())
        if (ExchangeRates own = LoadExchangeRates(userFolder);
            own.outcome == RateFileOutcome::Loaded)
            return own;
    return LoadExchangeRates(programFolder);
}

bool SaveExchangeRates(const QString& folder, const ExchangeRates& rates)
{
    if (!QDir().mkpath(folder))
        return false;
    QSaveFile file(QDir(folder).filePath(kRateFileName));
    const QByteArray bytes = WriteExchangeRates(rates);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
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
    for (int row = 0; row < FloatingCount; ++row)
        if (!rates.staleSince[size_t(row)].isEmpty())
            out += currencies[size_t(FirstFloatingEntry + row)].code.toLatin1() +
                   kStaleNote.toLatin1() + rates.staleSince[size_t(row)].toLatin1() + "\r\n";
    return out;
}

std::optional<ExchangeRates> ImportReferenceRates(const QByteArray& xml,
                                                  const ExchangeRates& previous)
{
    ExchangeRates out = previous;
    out.outcome = RateFileOutcome::Loaded;
    QDate date;
    int taken = 0;
    std::array<bool, FloatingCount> quoted{};
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
        if (row < 0 || EuroJoinedRate(row) || !perEuro || !(*perEuro > 0))
            continue;
        // Nine decimals keep four significant digits even for a rupiah of some 1/16000 euro.
        const double euroPerUnit = 1.0 / *perEuro;
        if (!std::isfinite(euroPerUnit))
            continue;
        out.rates[size_t(row)] = StripTrailingZeros(FixedText(euroPerUnit, 9));
        quoted[size_t(row)] = true;
        ++taken;
    }
    // A page cut off half-way may still have held a rate or two: only whole XML counts.
    if (reader.hasError() || !date.isValid() || taken == 0)
        return std::nullopt;
    fixEuroJoinedRates(out);
    // A currency the bank no longer quotes keeps its last rate, noted with the date it had.
    const QString lastDate =
        previous.outcome == RateFileOutcome::Loaded ? previous.date : BuiltInRateDate();
    for (int row = 0; row < FloatingCount; ++row) {
        if (EuroJoinedRate(row))
            continue;
        QString& since = out.staleSince[size_t(row)];
        if (quoted[size_t(row)])
            since.clear();
        else if (since.isEmpty())
            since = lastDate;
    }
    out.date = date.toString(QStringLiteral("dd.MM.yyyy"));
    return out;
}
