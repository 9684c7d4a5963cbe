// What the currency page says about its rates besides their date: whether they are old,
// when an update was last tried and what it came to.
#pragma once

#include "common/control_texts.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// What the last update of the rates came to.
enum class RateUpdateResult {
    Loaded,        // new rates replaced the old ones
    NoConnection,  // the host could not be reached
    NoAnswer,      // the host went silent, or took too long
    InvalidAnswer, // an error status, or a body that is no rate file
    CannotWrite,   // the user's rate file could not be written
};

// Rates older than this many days are shown as old.
inline constexpr int StaleRateDays = 7;

// A date label of the form dd.mm.yyyy more than StaleRateDays before `today`. A label that
// is no such date is not called old.
bool RatesAreStale(const QString& dateLabel, const QDate& today);

struct UpdateAttempt {
    QDateTime when;
    RateUpdateResult result = RateUpdateResult::Loaded;
};

// German texts of the outcomes and hints; a translation replaces entries.
ControlTexts RateStatusTexts();

// "Kurse vom 03.02.2026 geladen", or why the update failed.
QString UpdateResultText(const ControlTexts& texts, RateUpdateResult result,
                         const QString& rateDate);
// The date label's hint while the rates are old: when an update was last tried and what
// came of it, or that none was tried yet.
QString StaleRatesHint(const ControlTexts& texts, const std::optional<UpdateAttempt>& last,
                       const QString& rateDate);
// The hint of a grid row whose currency has had no current rate since `since` (empty: none).
QString StaleRateHint(const ControlTexts& texts, const QString& since);
