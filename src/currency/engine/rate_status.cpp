#include "currency/engine/rate_status.h"

namespace {

QString text(const ControlTexts& texts, const char* component)
{
    return texts.Text(QString::fromLatin1(component), TextProperty::Caption);
}

} // namespace

bool RatesAreStale(const QString& dateLabel, const QDate& today)
{
    const QDate date = QDate::fromString(dateLabel.trimmed(), QStringLiteral("dd.MM.yyyy"));
    return date.isValid() && date.daysTo(today) > StaleRateDays;
}

ControlTexts RateStatusTexts()
{
    using T = TextProperty;
    return ControlTexts({
        {QStringLiteral("msg_kurse_geladen"), T::Caption, QStringLiteral("Kurse vom %1 geladen")},
        {QStringLiteral("msg_keine_verbindung"), T::Caption, QStringLiteral("keine Verbindung")},
        {QStringLiteral("msg_server_antwortet_nicht"), T::Caption,
         QStringLiteral("Server antwortet nicht")},
        {QStringLiteral("msg_ungueltige_antwort"), T::Caption, QStringLiteral("ungültige Antwort")},
        {QStringLiteral("msg_nicht_gespeichert"), T::Caption,
         QStringLiteral("Kurse konnten nicht gespeichert werden")},
        {QStringLiteral("msg_letzter_versuch"), T::Caption,
         QStringLiteral("Letzter Aktualisierungsversuch: %1, %2")},
        {QStringLiteral("msg_kein_versuch"), T::Caption,
         QStringLiteral("Noch keine Aktualisierung versucht")},
        {QStringLiteral("msg_kein_aktueller_kurs"), T::Caption,
         QStringLiteral("kein aktueller Kurs seit %1")},
    });
}

QString UpdateResultText(const ControlTexts& texts, RateUpdateResult result,
                         const QString& rateDate)
{
    switch (result) {
    case RateUpdateResult::Loaded:
        return text(texts, "msg_kurse_geladen").arg(rateDate);
    case RateUpdateResult::NoConnection:
        return text(texts, "msg_keine_verbindung");
    case RateUpdateResult::NoAnswer:
        return text(texts, "msg_server_antwortet_nicht");
    case RateUpdateResult::InvalidAnswer:
        return text(texts, "msg_ungueltige_antwort");
    case RateUpdateResult::CannotWrite:
        return text(texts, "msg_nicht_gespeichert");
    }
    return QString();
}

QString StaleRatesHint(const ControlTexts& texts, const std::optional<UpdateAttempt>& last,
                       const QString& rateDate)
{
    if (!last)
        return text(texts, "msg_kein_versuch");
    return text(texts, "msg_letzter_versuch")
        .arg(last->when.toString(QStringLiteral("dd.MM.yyyy hh:mm")),
             UpdateResultText(texts, last->result, rateDate));
}

QString StaleRateHint(const ControlTexts& texts, const QString& since)
{
    return since.isEmpty() ? QString() : text(texts, "msg_kein_aktueller_kurs").arg(since);
}
