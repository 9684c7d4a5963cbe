#include "calculator/key_chars.h"
#include "pipes/fitting_catalogue.h"
#include "pipes/pipe_hydraulics.h"
#include "pipes/pipe_page_model.h"
#include "pipes/pressure_units.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using F = PipeField;

// The Colebrook-White equation solved apart from the program: bisection on x = 1/√λ in long
// double, where x + 2·log10(ε/3.7 + 2.51·x/Re) rises with x.
long double colebrookByBisection(long double re, long double eps)
{
    const auto g = [&](long double x) { return x + 2 * std::log10(eps / 3.7L + 2.51L * x / re); };
    long double lo = 0.5L;
    long double hi = 100;
    for (int i = 0; i < 200; ++i) {
        const long double mid = (lo + hi) / 2;
        (g(mid) > 0 ? hi : lo) = mid;
    }
    const long double x = (lo + hi) / 2;
    return 1 / (x * x);
}

TEST(Colebrook, AgreesWithTheExactSolutionOverTheTurbulentRange)
{
    EXPECT_NEAR(ColebrookFriction(1e5, 1e-4), 0.01851386607747165, 1e-12 * 0.0185);
    for (const double re : {2320.0, 4000.0, 1e4, 1e5, 1e6, 1e7, 1e8})
        for (const double eps : {0.0, 1e-6, 1e-4, 1e-3, 0.01, 0.05}) {
            SCOPED_TRACE(testing::Message() << "Re " << re << ", k/d " << eps);
            const double exact = double(colebrookByBisection(re, eps));
            EXPECT_NEAR(ColebrookFriction(re, eps), exact, 1e-12 * exact);
        }
    EXPECT_DOUBLE_EQ(ColebrookFriction(2000, 0.01), 64.0 / 2000); // laminar below 2320
}

TEST(Fittings, TheSumFollowsTheCountsAndTheNominalSize)
{
    const FittingCatalogue& catalogue = Fittings();
    ASSERT_EQ(catalogue.fittings.size(), 12);
    EXPECT_EQ(catalogue.fittings[0].name, u"Bogen 90°");
    EXPECT_EQ(catalogue.fittings[8].name, u"Heizkörper");
    // Two 90° elbows and a tee branch: 2·30 + 60 pipe diameters, times fT of the size.
    const QList<int> counts{2, 0, 0, 1};
    const struct {
        int dn;
        double frictionFactor;
    } sizes[] = {{10, 0.027}, {15, 0.027}, {25, 0.023}, {65, 0.018}, {80, 0.018}, {1000, 0.012}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.dn);
        EXPECT_DOUBLE_EQ(ZetaSum(catalogue, counts, size.dn), 120 * size.frictionFactor);
    }
    // A radiator and a boiler keep their ζ in every size: 3.0 + 2.5 beside the elbows' share.
    EXPECT_DOUBLE_EQ(ZetaSum(catalogue, {2, 0, 0, 1, 0, 0, 0, 0, 1, 1}, 25), 120 * 0.023 + 5.5);
    // An angle radiator valve by its bore: 7 in DN 15, 4 from DN 20, DN 32's 4 above.
    const QList<int> angleValve{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    EXPECT_DOUBLE_EQ(ZetaSum(catalogue, angleValve, 10), 7);
    EXPECT_DOUBLE_EQ(ZetaSum(catalogue, angleValve, 15), 7);
    EXPECT_DOUBLE_EQ(ZetaSum(catalogue, angleValve, 20), 4);
    EXPECT_DOUBLE_EQ(ZetaSum(catalogue, angleValve, 50), 4);
    const FittingCatalogue odd =
        ParseFittingCatalogue(u"# x\nfitting\tA\t10\nfitting\tB\tz\nzeta\tC\nzeta\tD\t2\n"
                              "zetaDN\tE\t20:1 15:3\nzetaDN\tF\t15:3 20\nzetaDN\tG\t:2\n"
                              "fT\t50\t0.5\n");
    EXPECT_EQ(odd.fittings.size(), 3); // a line without a number, or a broken pair, is skipped
    EXPECT_DOUBLE_EQ(ZetaSum(odd, {3, 7, 1}, 15), 32);
    EXPECT_DOUBLE_EQ(ZetaSum(odd, {3, 7, 1}, 20), 30);
}

PipeRecord pipe(int dn, double innerMm, const char* name = nullptr)
{
    PipeRecord r;
    r.group = 1;
    r.dn = qint16(dn);
    r.innerDiameter = innerMm;
    r.roughness = 0.045;
    r.name = name ? QString::fromUtf8(name) : QStringLiteral("DN %1").arg(dn);
    r.active = true;
    return r;
}

// 70/50 °C, 10 kW, a steel series DN 10 … 32 and a pipe of another series after it.
struct Overview : testing::Test {
    PipePageModel s;
    void SetUp() override
    {
        PipeRecord other = pipe(15, 13);
        other.group = 2;
        s.SetPipes({pipe(10, 12.5), pipe(15, 16.1, "Stahl; \"mittel\""), pipe(20, 21.7),
                    pipe(25, 27.3), pipe(32, 36), other});
        s.PipeChosen(1);
        s.SetText(F::edtLeistung, QStringLiteral("10000"));
        s.TemperatureOrLoadEntered(u'0');
    }
};

TEST_F(Overview, EveryRowIsWhatThePageShowsForThatPipe)
{
    s.PressureUnitChosen(1); // Pascal
    for (const bool exact : {false, true}) {
        s.FrictionLawChosen(exact);
        const QList<DimensionRow> rows = s.DimensionRows();
        ASSERT_EQ(rows.size(), 5); // the series only
        for (const DimensionRow& row : rows) {
            SCOPED_TRACE(testing::Message() << "DN " << row.dn << (exact ? " exact" : ""));
            s.PipeChosen(row.index);
            const QStringList cells = s.DimensionCells(row);
            EXPECT_EQ(cells[0], s.Text(F::edtDN));
            EXPECT_EQ(cells[2], s.Text(F::edtDurchfl));
            EXPECT_EQ(cells[3], s.Text(F::edtrwert));
            EXPECT_EQ(cells[4], s.Text(F::edtRohrDP));
        }
        // Within 0.5 m/s from DN 20 on; the search takes DN 20.
        for (const DimensionRow& row : rows)
            EXPECT_EQ(row.withinLimit, row.dn >= 20) << row.dn;
        s.FindBestPipe();
        for (const DimensionRow& row : rows)
            EXPECT_EQ(row.best, row.index == s.SelectedPipe()) << row.dn;
    }
}

TEST_F(Overview, TheExactModeChangesTheFrictionAndNothingElse)
{
    s.PressureUnitChosen(1); // Pascal
    const QString velocity = s.Text(F::edtDurchfl);
    const QString chain = s.Text(F::edtrwert);
    s.FrictionLawChosen(true);
    EXPECT_EQ(s.Text(F::edtDurchfl), velocity);
    EXPECT_NE(s.Text(F::edtrwert), chain);
    s.FrictionLawChosen(false);
    EXPECT_EQ(s.Text(F::edtrwert), chain);
}

TEST_F(Overview, TheChartMeetsThePageAtItsPoints)
{
    s.PressureUnitChosen(1); // Pascal, as the chart
    // 10 m³/h is a point of every curve (0.01 m³/h times 10^(24/8)).
    s.SetText(F::edtVP, QStringLiteral("10"));
    s.VolumeFlowEntered(u'0');
    s.PipeChosen(4);
    const PipeChart chart = s.Chart();
    ASSERT_EQ(chart.pipes.size(), 5);
    ASSERT_TRUE(chart.operating.has_value());
    EXPECT_NEAR(chart.operating->flow, 10, 1e-6); // the load has two decimals
    EXPECT_EQ(FormatPressure(chart.operating->r / 100, 2), s.Text(F::edtrwert));
    for (const PipeChart::Curve& curve : chart.pipes) {
        SCOPED_TRACE(curve.dn);
        s.PipeChosen(curve.index);
        EXPECT_NEAR(curve.points[24].flow, 10, 1e-9);
        EXPECT_EQ(FormatPressure(curve.points[24].r / 100, 2), s.Text(F::edtrwert));
    }
    // A line of equal velocity passes each pipe at that velocity.
    ASSERT_EQ(chart.velocities.size(), 5);
    for (const PipeChart::VelocityLine& line : chart.velocities)
        for (int i = 0; i < line.points.size(); ++i)
            EXPECT_NEAR(PipeVelocity(s.Pipes()[i].innerDiameter / 1000, line.points[i].flow),
                        line.velocity, 1e-12);
}

TEST_F(Overview, TheReportHoldsInputsResultsAndTheTable)
{
    const QString csv = s.CsvText(PipeControlTexts());
    const QStringList lines = csv.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.contains(u"Leistung;10000;Watt")) << csv.toStdString();
    EXPECT_TRUE(lines.contains(u"Rohrbezeichnung;\"Stahl; \"\"mittel\"\"\""));
    // The pressures as the page shows them, with the report's comma.
    const auto comma = [](QString text) { return text.replace(u'.', u','); };
    EXPECT_TRUE(lines.contains(QStringLiteral("R-Wert;") + comma(s.Text(F::edtrwert)) +
                               QStringLiteral(";mbar/m")));
    EXPECT_TRUE(lines.contains(u"DN;di mm;v m/s;R mbar/m;dp Rohr mbar"));
    EXPECT_TRUE(lines.contains(QStringLiteral("20;21,7;") +
                               comma(s.DimensionCells(s.DimensionRows()[2]).mid(2).join(u';')) +
                               QStringLiteral(";*")));
    // Printed: the same lines, fields as "caption: value unit", the table by tabs.
    const QStringList printed = s.PrintText(PipeControlTexts()).split(u'\n');
    EXPECT_EQ(printed.size() + 1, lines.size());
    EXPECT_TRUE(printed.contains(u"Leistung: 10000 Watt"));
    EXPECT_TRUE(printed.contains(u"DN\tdi mm\tv m/s\tR mbar/m\tdp Rohr mbar"));
}

// The screen shows pressures with "." beside flows with ","; a spreadsheet reads one
// separator per file, the language's.
TEST_F(Overview, TheReportWritesEveryNumberWithTheLanguagesSeparator)
{
    s.SetText(F::edtZetawert, QStringLiteral("2"));
    s.RunLengthChanged();
    ASSERT_TRUE(s.Text(F::edtrwert).contains(u'.'));
    ASSERT_TRUE(s.Text(F::edtVP).contains(u','));
    const QRegularExpression number(QStringLiteral("^-?\\d+([.,])\\d+$"));
    for (const int language : {1, 2, 12}) {
        const QChar separator = ReportSeparator(language);
        EXPECT_EQ(separator, language == 2 ? u'.' : u',') << language;
        for (const QString& text : {s.CsvText(PipeControlTexts(), separator),
                                    s.PrintText(PipeControlTexts(), separator)}) {
            int numbers = 0;
            for (const QString& cell :
                 text.split(QRegularExpression(QStringLiteral("[;\t\r\n: ]")))) {
                const auto match = number.match(cell);
                if (!match.hasMatch())
                    continue;
                ++numbers;
                EXPECT_EQ(match.captured(1), separator) << language << " " << cell.toStdString();
            }
            EXPECT_GE(numbers, 20) << language; // the fields and the five rows of the table
        }
    }
    const QStringList english = s.CsvText(PipeControlTexts(), u'.').split(QStringLiteral("\r\n"));
    EXPECT_TRUE(english.contains(QStringLiteral("R-Wert;") + s.Text(F::edtrwert) +
                                 QStringLiteral(";mbar/m")));
    EXPECT_TRUE(english.contains(QStringLiteral("Volumenstrom;0.438;m3/h")));
    EXPECT_TRUE(english.contains(u"Rohrbezeichnung;\"Stahl; \"\"mittel\"\"\"")); // no number
}

TEST_F(Overview, WithoutAViscosityTheTableKeepsTheVelocitiesAndNoLoss)
{
    s.SetText(F::edttr, QStringLiteral("-3"));
    s.TemperatureOrLoadEntered(u'0', F::edttr);
    for (const DimensionRow& row : s.DimensionRows()) {
        SCOPED_TRACE(row.dn);
        s.PipeChosen(row.index);
        const QStringList cells = s.DimensionCells(row);
        EXPECT_FALSE(cells[2].isEmpty());
        EXPECT_EQ(cells[2], s.Text(F::edtDurchfl));
        EXPECT_EQ(cells[3], u"");
        EXPECT_EQ(cells[4], u"");
        EXPECT_EQ(s.Text(F::edtrwert), u"");
    }
    EXPECT_TRUE(s.Chart().pipes.isEmpty());
}

} // namespace
