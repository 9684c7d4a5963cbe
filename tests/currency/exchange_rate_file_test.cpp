#include "currency/engine/currency_page_model.h"
#include "currency/engine/exchange_rate_file.h"

#include "common/cell_number.h"
#include "common/number_text.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <random>

namespace {

constexpr int kAudRow = 0;
constexpr int kUsdRow = UsDollarEntry - FirstFloatingEntry;

// 37 rate lines, one per floating currency in table order, each with rate "0,01 * (row + 1)".
QList<QByteArray> allRateLines()
{
    QList<QByteArray> lines;
    const auto currencies = Currencies();
    for (int row = 0; row < FloatingCount; ++row)
        lines << currencies[size_t(FirstFloatingEntry + row)].code.toLatin1() + ";0," +
                     QByteArray::number(row + 1).rightJustified(2, '0');
    return lines;
}

QByteArray rateFile(const QList<QByteArray>& lines, const QByteArray& lineEnd = "\r\n",
                    const QByteArray& firstLine = "Stand: 25.04.2009")
{
    QByteArray bytes = firstLine + lineEnd;
    for (const QByteArray& line : lines)
        bytes += line + lineEnd;
    return bytes;
}

void expectBuiltInRates(const ExchangeRates& rates)
{
    const CurrencyRates builtIn;
    for (int row = 0; row < FloatingCount; ++row)
        EXPECT_DOUBLE_EQ(ReadCellValue(rates.rates[size_t(row)]),
                         builtIn.Rate(FirstFloatingEntry + row))
            << row;
}

TEST(ExchangeRateFile, DateFollowsSixArbitraryBytesWithoutBlanks)
{
    const struct {
        QByteArray firstLine;
        const char* date;
    } rows[] = {
        {"Stand: 25.04.2009", "25.04.2009"},
        {QByteArray("\x01\r\n\0\xFF ", 6) + "25.04.2009", "25.04.2009"},
        {"Datum 1 . 5 . 2010 ", "1.5.2010"},
        {"Stand: 3. M\xE4rz", "3.März"},
        {"Stand:", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.date);
        const ExchangeRates rates =
            ParseExchangeRates(rateFile(allRateLines(), "\r\n", row.firstLine));
        EXPECT_EQ(rates.outcome, RateFileOutcome::Loaded);
        EXPECT_EQ(rates.date, QString::fromUtf8(row.date));
    }
}

TEST(ExchangeRateFile, RateLinesTakeEitherSeparatorByteAndEitherDecimalSeparator)
{
    QList<QByteArray> lines = allRateLines();
    lines[kAudRow] = "AUD;0.6789";
    lines[kUsdRow] = "USD 0,6789";
    const ExchangeRates rates = ParseExchangeRates(rateFile(lines));
    EXPECT_EQ(rates.outcome, RateFileOutcome::Loaded);
    EXPECT_EQ(rates.rates[kAudRow], u"0,6789");
    EXPECT_EQ(rates.rates[kUsdRow], u"0,6789");
    EXPECT_EQ(rates.rates[2], u"0,03"); // BRL

    CurrencyPageModel calc;
    calc.TakeExchangeRates(rates);
    EXPECT_EQ(calc.GridRate(kAudRow), u"0,6789000");
    EXPECT_EQ(calc.GridRate(kUsdRow), u"0,6789000");
    EXPECT_EQ(calc.DateLabel(), u"25.04.2009");
}

TEST(ExchangeRateFile, LineEndsCrCrLfAndLfReadAlike)
{
    const ExchangeRates crLf = ParseExchangeRates(rateFile(allRateLines(), "\r\n"));
    for (const QByteArray lineEnd : {"\r", "\n", "\r\n\r\n", "\n\r"}) {
        SCOPED_TRACE(lineEnd.toStdString());
        const ExchangeRates rates = ParseExchangeRates(rateFile(allRateLines(), lineEnd));
        EXPECT_EQ(rates.outcome, RateFileOutcome::Loaded);
        EXPECT_EQ(rates.date, crLf.date);
        EXPECT_EQ(rates.rates, crLf.rates);
    }
}

TEST(ExchangeRateFile, UnknownCodesUseUpLinesAndTheLaterOfTwoLinesWins)
{
    // The unknown line is one of the 37, so the 38th line (ZAR) is never read.
    QList<QByteArray> lines = allRateLines();
    lines.insert(0, "XYZ;1,0");
    lines[1] = "AUD;0,3";
    lines[3] = "AUD;0,4"; // BRL's line now sets AUD again
    const ExchangeRates rates = ParseExchangeRates(rateFile(lines));
    EXPECT_EQ(rates.outcome, RateFileOutcome::Loaded);
    EXPECT_EQ(rates.rates[kAudRow], u"0,4");
    EXPECT_EQ(rates.rates[2], u"0,39566"); // BRL: built in
    EXPECT_EQ(rates.rates[kUsdRow], u"0,36");
    EXPECT_EQ(rates.rates[FloatingCount - 1], u"0,10647"); // ZAR: built in

    // Lowercase is not a code either.
    lines = allRateLines();
    lines[kUsdRow] = "usd;5";
    EXPECT_EQ(ParseExchangeRates(rateFile(lines)).rates[kUsdRow], u"0,90958");
}

TEST(ExchangeRateFile, AFileThatEndsEarlyGivesTheBuiltInRatesAndDate)
{
    QList<QByteArray> withUnknown = allRateLines();
    withUnknown[3] = "XYZ;1,0";
    const struct {
        const char* what;
        QByteArray bytes;
    } rows[] = {
        {"empty", QByteArray()},
        {"five bytes", "Stand"},
        {"no line end after the date", "Stand: 25.04.2009"},
        {"only the date", "Stand: 25.04.2009\r\n"},
        {"36 rate lines", rateFile(allRateLines().mid(1))},
        {"36 rate lines and blank lines", rateFile(allRateLines().mid(1), "\r\n\r\n\r\n")},
        {"36 rate lines, the last without line end", rateFile(allRateLines().mid(1)).chopped(2)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const ExchangeRates rates = ParseExchangeRates(row.bytes);
        EXPECT_EQ(rates.outcome, RateFileOutcome::Truncated);
        expectBuiltInRates(rates);
        EXPECT_EQ(DateLabelText(rates, QStringLiteral("01.01.2020")), u"25.04.2008");
    }
    // The 37th line needs no line end of its own.
    EXPECT_EQ(ParseExchangeRates(rateFile(allRateLines()).chopped(2)).outcome,
              RateFileOutcome::Loaded);
    EXPECT_EQ(ParseExchangeRates(rateFile(withUnknown)).outcome, RateFileOutcome::Loaded);
}

TEST(ExchangeRateFile, ARateThatIsNoNumberShowsAsZeroAndConvertsToNothing)
{
    QList<QByteArray> lines = allRateLines();
    lines[kUsdRow] = "USD;abc";
    const ExchangeRates rates = ParseExchangeRates(rateFile(lines));
    EXPECT_EQ(rates.outcome, RateFileOutcome::Loaded);
    CurrencyPageModel calc;
    calc.TakeExchangeRates(rates);
    EXPECT_EQ(calc.GridRate(kUsdRow), u"0,0000000");
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    EXPECT_EQ(calc.Amount(AmountField::Second), u"");
}

TEST(ExchangeRateFile, AByteOrderMarkIsNotPartOfTheSixBytes)
{
    const ExchangeRates rates =
        ParseExchangeRates("\xEF\xBB\xBF" + rateFile(allRateLines(), "\r\n"));
    EXPECT_EQ(rates.outcome, RateFileOutcome::Loaded);
    EXPECT_EQ(rates.date, u"25.04.2009");
    EXPECT_EQ(rates.rates[kAudRow], u"0,01");
}

class ExchangeRateFolder : public testing::Test {
protected:
    void write(const QByteArray& bytes)
    {
        QFile file(folder.filePath(QStringLiteral("kurse.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir folder;
};

TEST_F(ExchangeRateFolder, MissingTruncatedAndGoodFiles)
{
    ExchangeRates rates = LoadExchangeRates(folder.path());
    EXPECT_EQ(rates.outcome, RateFileOutcome::Missing);
    expectBuiltInRates(rates);
    EXPECT_EQ(DateLabelText(rates, QStringLiteral("01.01.2020")), u"01.01.2020");

    write(rateFile(allRateLines().mid(1)));
    rates = LoadExchangeRates(folder.path());
    EXPECT_EQ(rates.outcome, RateFileOutcome::Truncated);
    expectBuiltInRates(rates);

    write(rateFile(allRateLines(), "\r"));
    rates = LoadExchangeRates(folder.path());
    EXPECT_EQ(rates.outcome, RateFileOutcome::Loaded);
    EXPECT_EQ(rates.date, u"25.04.2009");
    EXPECT_EQ(rates.rates[kUsdRow], u"0,36");
}

TEST(DeliveredRateFile, HoldsTheBuiltInRatesAndDate)
{
    const ExchangeRates rates = LoadExchangeRates(QStringLiteral(CURRENCY_TEST_DATA_DIR));
    ASSERT_EQ(rates.outcome, RateFileOutcome::Loaded);
    EXPECT_EQ(rates.date, u"25.04.2008");
    expectBuiltInRates(rates);

    CurrencyPageModel calc;
    calc.TakeExchangeRates(rates);
    calc.SelectDefaultCurrencies();
    calc.AmountEdited(AmountField::First, QStringLiteral("1"));
    EXPECT_EQ(calc.Amount(AmountField::Second), u"1,09941");
}

bool isShownNumberOrEmpty(const QString& text)
{
    return text.isEmpty() || ParseNumber(text).has_value();
}

TEST(ExchangeRateFile, WrittenFileReadsBackUnchanged)
{
    ExchangeRates rates = ParseExchangeRates(QByteArray());
    rates.date = QStringLiteral("03.02.2026");
    rates.rates[0] = QStringLiteral("0,61");
    const ExchangeRates back = ParseExchangeRates(WriteExchangeRates(rates));
    EXPECT_EQ(back.outcome, RateFileOutcome::Loaded);
    EXPECT_EQ(back.date, u"03.02.2026");
    EXPECT_EQ(back.rates, rates.rates);
}

TEST(ReferenceRates, UnitsPerEuroBecomeEuroPerUnitAndMissingOnesStay)
{
    const QByteArray xml = R"(<?xml version="1.0"?>
<gesmes:Envelope xmlns:gesmes="http://www.gesmes.org/xml/2002-08-01">
 <Cube><Cube time="2026-02-03">
  <Cube currency="USD" rate="1.25"/><Cube currency="JPY" rate="160"/>
  <Cube currency="XYZ" rate="2"/><Cube currency="AUD" rate="0"/>
 </Cube></Cube></gesmes:Envelope>)";
    const ExchangeRates previous = ParseExchangeRates(QByteArray());
    const auto imported = ImportReferenceRates(xml, previous);
    ASSERT_TRUE(imported.has_value());
    EXPECT_EQ(imported->date, u"03.02.2026");
    const QStringList codes = CurrencyCodes();
    const auto rateOf = [&](const char* code) {
        return imported->rates[size_t(codes.indexOf(QLatin1String(code)) - FirstFloatingEntry)];
    };
    EXPECT_EQ(rateOf("USD"), u"0,8");
    EXPECT_EQ(rateOf("JPY"), u"0,00625");
    // A rate of 0 and a currency the bank does not quote keep what they had.
    EXPECT_EQ(rateOf("AUD"), previous.rates[0]);
    EXPECT_FALSE(
        ImportReferenceRates("<Cube><Cube currency=\"USD\" rate=\"1.2\"/></Cube>", previous));
    EXPECT_FALSE(ImportReferenceRates("not xml at all", previous));
}

TEST(ExchangeRateFile, RandomBytesNeverGiveANonNumber)
{
    std::mt19937 random(20240307);
    const QByteArray pieces[] = {"USD", "AUD;",  "ZAR ",         "XYZ",    ";",    ",",   ".",
                                 "0",   "9",     "\r",           "\n",     "\r\n", "E99", "-",
                                 " ",   "1E999", "\xEF\xBB\xBF", "Stand: "};
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> piece(0, int(std::size(pieces)) - 1);
    std::uniform_int_distribution<int> length(0, 400);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        for (int n = length(random); n > 0; --n)
            bytes += kind(random) == 0 ? QByteArray(1, char(byte(random))) : pieces[piece(random)];
        SCOPED_TRACE(bytes.toHex().toStdString());
        const ExchangeRates rates = ParseExchangeRates(bytes);
        CurrencyPageModel calc;
        calc.TakeExchangeRates(rates);
        ASSERT_EQ(CurrencyCodes().size(), CurrencyCount);
        for (int entry = 0; entry < CurrencyCount; ++entry)
            ASSERT_TRUE(std::isfinite(calc.Rates().Rate(entry))) << entry;
        for (int row = 0; row < FloatingCount; ++row)
            ASSERT_TRUE(ParseNumber(calc.GridRate(row)).has_value()) << row;
        calc.CurrencyChosen(AmountField::First, round % CurrencyCount);
        calc.CurrencyChosen(AmountField::Second, (round * 7) % CurrencyCount);
        calc.AmountEdited(AmountField::First, QStringLiteral("123456789012"));
        ASSERT_TRUE(isShownNumberOrEmpty(calc.Amount(AmountField::Second)));
        calc.AmountEdited(AmountField::Second, QStringLiteral("0,000001"));
        ASSERT_TRUE(isShownNumberOrEmpty(calc.Amount(AmountField::First)));
    }
}

TEST(DownloadedRates, OnlyADatedFileOfThirtySevenKnownPositiveRatesIsTaken)
{
    QList<QByteArray> html;
    for (int line = 0; line < FloatingCount; ++line)
        html << "<p>Bitte melden Sie sich am WLAN an</p>";
    const auto with = [](int row, const QByteArray& line) {
        QList<QByteArray> lines = allRateLines();
        lines[row] = line;
        return rateFile(lines);
    };
    const struct {
        const char* what;
        QByteArray bytes;
        bool taken;
    } rows[] = {
        {"a sound file", rateFile(allRateLines()), true},
        {"lines ending in CR only", rateFile(allRateLines(), "\r"), true},
        {"the last line without line end", rateFile(allRateLines()).chopped(2), true},
        {"a captive portal's page of 38 lines",
         rateFile(html, "\r\n", "<html>e0ofa captive portal page</p>"), false},
        {"a date that is no date", rateFile(allRateLines(), "\r\n", "Stand: 31.02.2026"), false},
        {"a date without year", rateFile(allRateLines(), "\r\n", "Stand: 25.04."), false},
        {"an unknown code", with(kUsdRow, "XYZ;1,0"), false},
        {"a rate of 0", with(kUsdRow, "USD;0"), false},
        {"a negative rate", with(kUsdRow, "USD;-0,9"), false},
        {"a rate that is no number", with(kUsdRow, "USD;abc"), false},
        {"a code without rate", with(kUsdRow, "USD"), false},
        {"36 lines", rateFile(allRateLines().mid(1)), false},
        {"nothing", QByteArray(), false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const auto taken = ParseDownloadedRates(row.bytes);
        EXPECT_EQ(taken.has_value(), row.taken);
        if (taken) {
            EXPECT_EQ(taken->rates[kUsdRow], u"0,36");
        }
    }
}

// The irrevocable conversion rates, units per euro, as the Council fixed them.
const struct {
    const char* code;
    double unitsPerEuro;
} kJoinedTheEuro[] = {
    {"SIT", 239.640},  {"CYP", 0.585274}, {"MTL", 0.429300}, {"SKK", 30.1260}, {"EEK", 15.6466},
    {"LVL", 0.702804}, {"LTL", 3.45280},  {"HRK", 7.53450},  {"BGN", 1.95583},
};

int rowOf(const char* code)
{
    return int(CurrencyCodes().indexOf(QLatin1String(code))) - FirstFloatingEntry;
}

TEST(EuroJoinedRates, FixedWhateverAFileOrTheBankSaysAndNotEditable)
{
    QList<QByteArray> lines = allRateLines();
    for (const auto& joined : kJoinedTheEuro)
        lines[rowOf(joined.code)] = QByteArray(joined.code) + ";0,5";
    const ExchangeRates fromFile = ParseExchangeRates(rateFile(lines));
    const QByteArray xml = R"(<Cube><Cube time="2026-02-03"><Cube currency="USD" rate="1.25"/>
        <Cube currency="BGN" rate="2"/><Cube currency="HRK" rate="9"/></Cube></Cube>)";
    const auto fromBank = ImportReferenceRates(xml, fromFile);
    ASSERT_TRUE(fromBank);
    const ExchangeRates builtIn = ParseExchangeRates(QByteArray());
    for (const ExchangeRates* rates : {&fromFile, &*fromBank, &builtIn}) {
        CurrencyPageModel calc;
        calc.TakeExchangeRates(*rates);
        calc.CurrencyChosen(AmountField::First, EuroEntry);
        for (const auto& joined : kJoinedTheEuro) {
            SCOPED_TRACE(joined.code);
            const int row = rowOf(joined.code);
            ASSERT_GE(row, 0);
            calc.CurrencyChosen(AmountField::Second, FirstFloatingEntry + row);
            calc.AmountEdited(AmountField::First, QStringLiteral("1000"));
            EXPECT_EQ(calc.Amount(AmountField::Second), FixedText(1000 * joined.unitsPerEuro, 5));
            EXPECT_FALSE(CurrencyPageModel::IsRateEditable(row, 1));
            EXPECT_FALSE(calc.RateCellEdited(row, QStringLiteral("0,1")));
        }
    }
    EXPECT_EQ(int(EuroJoinedCurrencies().size()), int(std::size(kJoinedTheEuro)));
    EXPECT_TRUE(CurrencyPageModel::IsRateEditable(kUsdRow, 1));
}

class UserRateFile : public testing::Test {
protected:
    static void write(const QString& folder, const QByteArray& bytes)
    {
        QFile file(QDir(folder).filePath(QStringLiteral("kurse.txt")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir user;
    QTemporaryDir program;
    QString userFolder() const { return user.filePath(QStringLiteral("Quorvanta")); }
};

TEST_F(UserRateFile, TheUsersCompleteFileComesFirstThenTheDeliveredOneThenTheBuiltIn)
{
    EXPECT_EQ(LoadUserOrDeliveredRates(userFolder(), program.path()).outcome,
              RateFileOutcome::Missing);
    write(program.path(), rateFile(allRateLines(), "\r\n", "Stand: 01.01.2020"));
    EXPECT_EQ(LoadUserOrDeliveredRates(userFolder(), program.path()).date, u"01.01.2020");

    // A hand-typed rate: written through a folder that did not exist yet, every digit kept.
    CurrencyPageModel calc;
    calc.TakeExchangeRates(LoadUserOrDeliveredRates(userFolder(), program.path()));
    ASSERT_TRUE(calc.RateCellEdited(kUsdRow, QStringLiteral("0,95")));
    RecordingServices services;
    calc.RateKey(kUsdRow, 1, FieldState{QStringLiteral("0,95"), 4, 4, 0}, u'5', QDate(2026, 3, 4),
                 {services, services});
    ASSERT_TRUE(SaveExchangeRates(userFolder(), calc.RatesToKeep()));
    const ExchangeRates kept = LoadUserOrDeliveredRates(userFolder(), program.path());
    EXPECT_EQ(kept.date, u"04.03.2026");
    EXPECT_EQ(kept.rates[kUsdRow], u"0,95");
    EXPECT_EQ(kept.rates[kAudRow], u"0,01");

    // A user's file cut short is passed over.
    write(userFolder(), rateFile(allRateLines().mid(1)));
    EXPECT_EQ(LoadUserOrDeliveredRates(userFolder(), program.path()).date, u"01.01.2020");
}

TEST(ReferenceRates, ACurrencyTheBankNoLongerQuotesSaysSinceWhenItsRateIsOld)
{
    const QByteArray xml = R"(<Cube><Cube time="2026-02-03"><Cube currency="USD" rate="1.25"/>
        </Cube></Cube>)";
    const ExchangeRates previous =
        ParseExchangeRates(rateFile(allRateLines(), "\r\n", "Stand: 01.01.2020"));
    const auto first = ImportReferenceRates(xml, previous);
    ASSERT_TRUE(first);
    const int rur = rowOf("RUR");
    EXPECT_EQ(first->staleSince[size_t(rur)], u"01.01.2020");
    EXPECT_EQ(first->rates[size_t(rur)], previous.rates[size_t(rur)]);
    EXPECT_EQ(first->staleSince[kUsdRow], u"");
    EXPECT_EQ(first->staleSince[size_t(rowOf("BGN"))], u""); // fixed, never old

    // The note survives the file, a later download, and the strict check; a typed rate ends it.
    const QByteArray written = WriteExchangeRates(*first);
    const auto back = ParseDownloadedRates(written);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->staleSince, first->staleSince);
    const auto second = ImportReferenceRates(xml, *back);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->staleSince[size_t(rur)], u"01.01.2020");
    CurrencyPageModel calc;
    calc.TakeExchangeRates(*second);
    EXPECT_EQ(calc.StaleSince(rur), u"01.01.2020");
    calc.RateCellEdited(rur, QStringLiteral("0,01"));
    EXPECT_EQ(calc.RatesToKeep().staleSince[size_t(rur)], u"");
}

TEST(CurrencyRates, EveryBuiltInRateIsAPlausibleEuroValue)
{
    // From the rupiah (some 1/16000 euro) to the pound: a lost exponent stands out.
    const CurrencyRates builtIn;
    for (int entry = 0; entry < CurrencyCount; ++entry) {
        SCOPED_TRACE(Currencies()[size_t(entry)].code.toString().toStdString());
        EXPECT_GT(builtIn.Rate(entry), 1e-5);
        EXPECT_LT(builtIn.Rate(entry), 3.0);
    }
    CurrencyPageModel calc;
    calc.CurrencyChosen(AmountField::First, EuroEntry);
    calc.CurrencyChosen(AmountField::Second, FirstFloatingEntry + rowOf("IDR"));
    calc.AmountEdited(AmountField::Second, QStringLiteral("1000000"));
    EXPECT_EQ(calc.Amount(AmountField::First), u"69,27060");
}

} // namespace
