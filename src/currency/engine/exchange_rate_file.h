// The exchange-rate file "kurse.txt" in the program folder.
//
// One byte is one character (Latin-1). The first line holds six bytes of any value and
// then the date of the rates; up to 37 rate lines follow, each a currency code, one
// separator byte of any value ("USD;0,90958" or "USD 0.90958") and the rate in euro per
// unit with "," or "." as separator. Lines end in CR, CR LF or LF. Only the floating
// currencies are read from the file; the fixed ones never change, and neither do the rows
// of the currencies that joined the euro later (their lines carry the fixed rate).
#pragma once

#include "currency/engine/currency_rates.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

enum class RateFileOutcome {
    Loaded,    // the file's rates and date
    Truncated, // the file ended before its 37th rate line: built-in rates and date
    Missing,   // no file: built-in rates, the date label keeps what it shows
};

struct ExchangeRates {
    RateFileOutcome outcome = RateFileOutcome::Missing;
    // Rate texts of entries 12 to 48 (grid rows 0 to 36), "," as separator.
    std::array<QString, FloatingCount> rates;
    QString date; // the file's date when loaded, else empty
    // The date since which a row's rate has not been current (the bank no longer quotes
    // it); empty for a current rate. Kept in lines after the 37th, which rate readers skip.
    std::array<QString, FloatingCount> staleSince;
};

// The rates of a file's bytes; a file that ends too early gives the built-in rates.
ExchangeRates ParseExchangeRates(const QByteArray& bytes);

// Reads "kurse.txt" in `folder`.
ExchangeRates LoadExchangeRates(const QString& folder);

// The rates the program starts with: the user's own file when it is complete, else the
// file delivered in the program folder, else the built-in rates.
ExchangeRates LoadUserOrDeliveredRates(const QString& userFolder, const QString& programFolder);

// Writes "kurse.txt" into `folder` (made when missing) through a temporary file that is
// renamed into place: the old file stays whole whatever happens.
bool SaveExchangeRates(const QString& folder, const ExchangeRates& rates);

// A downloaded rate file, taken only when it is sound: a dd.mm.yyyy date and 37 lines, each
// a floating currency's code and a positive rate. An error page served as if it were the
// file gives nothing.
std::optional<ExchangeRates> ParseDownloadedRates(const QByteArray& bytes);

// What the date label shows after a load: the file's date, the built-in date for a
// truncated file, and the label's current text when there was no file.
QString DateLabelText(const ExchangeRates& loaded, const QString& currentLabel);

// The bytes of a rate file: "Stand: " and the date, then one "CODE;rate" line per floating
// currency in table order, every line ending in CR LF, Latin-1. ParseExchangeRates reads
// it back unchanged.
QByteArray WriteExchangeRates(const ExchangeRates& rates);

// A rate file from a central bank's euro reference rates (XML: Cube elements with
// currency="USD" rate="1.0956", units per euro, and one time="2024-01-02" attribute).
// The rates become euro per unit; currencies the XML lacks keep their rates in
// `previous`, and the date line takes the XML's date. Nothing when the XML holds no date
// or no rate at all.
std::optional<ExchangeRates> ImportReferenceRates(const QByteArray& xml,
                                                  const ExchangeRates& previous);
