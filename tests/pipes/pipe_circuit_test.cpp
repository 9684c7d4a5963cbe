#include "calculator/number_text.h"
#include "pipes/fluid_tables.h"
#include "pipes/pipe_circuit.h"
#include "pipes/pressure_units.h"
#include "support/test_pipes.h"

#include <gtest/gtest.h>

namespace {

using F = PipeField;

// Boiler to radiator and back: a large main, a branch with fittings, a radiator connection.
const QList<CircuitSection> kSections{{QStringLiteral("TS 1"), 18000, 2, 12.5, 3.5},
                                      {QStringLiteral("TS 2"), 9000, 4, 8, 6.2},
                                      {QStringLiteral("TS 3"), 1500, 3, 2.4, 0}};

// The page as the user leaves it: temperatures and fluid typed and chosen there.
PipePageModel page(int fluid, double tv, double tr, FrictionLaw law = FrictionLaw::PageChain)
{
    PipePageModel s;
    s.SetPipes(TwoTestSeries());
    s.SetText(F::edttv, FixedText(tv, 1));
    s.SetText(F::edttr, FixedText(tr, 1));
    s.FluidChosen(fluid);
    s.FrictionLawChosen(law == FrictionLaw::Colebrook);
    return s;
}

// A section typed into the page field by field, as the user does it.
PipeResult typedOnPage(PipePageModel s, const CircuitSection& section)
{
    s.SetText(F::edtLeistung, QString::number(section.load));
    s.TemperatureOrLoadEntered(u'0', F::edtLeistung);
    s.PipeChosen(section.pipe);
    s.SetText(F::edtLang, FixedText(section.length, 2));
    s.RunLengthChanged();
    s.SetText(F::edtZetawert, section.zeta == 0 ? QString() : FixedText(section.zeta, 2));
    s.RunLengthChanged();
    const auto result = s.Result();
    EXPECT_TRUE(result && result->lossComputed) << section.name.toStdString();
    // What the page shows is the same number.
    EXPECT_EQ(s.Text(F::edtDP), FormatPressure(result->total, s.PressureUnit()));
    EXPECT_EQ(s.Text(F::edtRohrDP), FormatPressure(result->runLoss, s.PressureUnit()));
    return *result;
}

struct Case {
    const char* what;
    int fluid;
    double tv, tr;
    FrictionLaw law;
};

TEST(HeatingCircuit, TotalIsTheSumOfTheSectionsSizedOneByOneOnThePage)
{
    const int glycol = AvailableFluids().value(1, Water);
    ASSERT_NE(glycol, Water) << "a build with a glycol mixture";
    for (const Case& c : {Case{"water 70/50", Water, 70, 50, FrictionLaw::PageChain},
                          Case{"glycol 70/50", glycol, 70, 50, FrictionLaw::PageChain},
                          Case{"water 55/45 Colebrook", Water, 55, 45, FrictionLaw::Colebrook}}) {
        SCOPED_TRACE(c.what);
        const PipePageModel s = page(c.fluid, c.tv, c.tr, c.law);
        double loss = 0, length = 0, vMax = 0;
        for (const CircuitSection& section : kSections) {
            const PipeResult r = typedOnPage(s, section);
            loss += r.total;
            length += section.length;
            vMax = std::max(vMax, r.velocity);
        }
        const CircuitTotals totals = Totals(Evaluate(s, kSections));
        EXPECT_TRUE(totals.complete);
        EXPECT_DOUBLE_EQ(totals.loss, loss);
        EXPECT_DOUBLE_EQ(totals.length, length);
        EXPECT_DOUBLE_EQ(totals.maxVelocity, vMax);
        // The pump delivers the first section's flow: Q / (c ρ Δt), against the head of the
        // whole path, Δp / (ρ g).
        const double rho = FluidDensity(c.fluid, c.tr, c.tv);
        const double cp = FluidHeatCapacity(c.fluid, c.tr, c.tv);
        EXPECT_NEAR(totals.pumpFlow, 18000 / (cp * rho * (c.tv - c.tr)), 1e-12);
        EXPECT_NEAR(totals.headMetres, loss * 100 / (rho * 9.80665), 1e-12);
        EXPECT_DOUBLE_EQ(totals.headKilopascal, loss / 10);
    }
}

TEST(HeatingCircuit, StoresInputsSoFluidTemperatureAndLawRecomputeEverySection)
{
    const double water = Totals(Evaluate(page(Water, 70, 50), kSections)).loss;
    const double glycol =
        Totals(Evaluate(page(AvailableFluids().value(1), 70, 50), kSections)).loss;
    const double cooler = Totals(Evaluate(page(Water, 60, 50), kSections)).loss;
    const double colebrook =
        Totals(Evaluate(page(Water, 70, 50, FrictionLaw::Colebrook), kSections)).loss;
    EXPECT_GT(glycol, water);       // more viscous, denser, less heat per kg
    EXPECT_GT(cooler, 2.5 * water); // half the spread: twice the flow
    EXPECT_NE(colebrook, water);
    // A section taken from the page and shown on it again gives the page's numbers.
    PipePageModel s = page(Water, 70, 50);
    ShowSection(s, kSections[1]);
    const auto section = SectionFromPage(s, QStringLiteral("x"));
    ASSERT_TRUE(section);
    EXPECT_EQ(section->pipe, 4);
    EXPECT_DOUBLE_EQ(section->load, 9000);
    EXPECT_DOUBLE_EQ(section->zeta, 6.2);
    EXPECT_EQ(s.Text(F::edtDP), FormatPressure(Evaluate(s, {*section})[0].result->total, 1));
}

TEST(HeatingCircuit, IncompleteCircuitHasNoTotalLossButKeepsItsSections)
{
    PipePageModel s = page(Water, 70, 50);
    QList<CircuitSection> sections = kSections;
    sections[1].pipe = 99; // a pipe table that became shorter
    const QList<SectionResult> results = Evaluate(s, sections);
    EXPECT_FALSE(results[1].result);
    EXPECT_FALSE(Totals(results).complete);
    const QList<QStringList> report = CircuitReport(results, s, PipeControlTexts(), u',');
    EXPECT_EQ(report[3][0], u"TS 2");
    EXPECT_TRUE(report.back()[1].isEmpty()); // no head from part of the path
}

TEST(HeatingCircuit, NamesAndReportInTheLanguagesSeparator)
{
    EXPECT_EQ(NextSectionName({}), u"TS 1");
    EXPECT_EQ(NextSectionName(kSections), u"TS 4");
    EXPECT_EQ(NextSectionName(
                  {{QStringLiteral("Kessel"), 1, 0, 1, 0}, {QStringLiteral("TS 7"), 1, 0, 1, 0}}),
              u"TS 8");
    EXPECT_EQ(CleanSectionName(QStringLiteral(" a\tb\nc ")), u"a b c");
    EXPECT_EQ(CleanSectionName(QString(300, u'x')).size(), 100);
    // Cut at 100 characters, a name keeps no blank at its end nor half a surrogate pair.
    EXPECT_EQ(CleanSectionName(QString(99, u'x') + QStringLiteral(" y")), QString(99, u'x'));
    EXPECT_EQ(CleanSectionName(QString(99, u'x') + QStringLiteral("😀")), QString(99, u'x'));

    PipePageModel s = page(Water, 70, 50);
    s.PressureUnitChosen(1); // Pascal
    const QList<SectionResult> results = Evaluate(s, kSections);
    const CircuitTotals totals = Totals(results);
    const QList<QStringList> en = CircuitReport(results, s, PipeControlTexts(), u'.');
    const QList<QStringList> de = CircuitReport(results, s, PipeControlTexts(), u',');
    ASSERT_EQ(en.size(), 2 + 3 + 1 + 7);
    EXPECT_EQ(de[2][4], u"12,50");
    EXPECT_EQ(en[2][4], u"12.50");
    EXPECT_EQ(en[7][1], FormatPressure(totals.loss, Millibar));
    EXPECT_EQ(en[8][1], FormatPressure(totals.loss, 2)); // the page's unit too
    EXPECT_EQ(en[8][2], PressureUnitName(2));
    // The printed page: title and date, the table with tabs, the totals by name.
    const QStringList printed = CircuitPrintText(de, QStringLiteral("09.12.2026")).split(u'\n');
    EXPECT_EQ(printed[0], u"Heizkreis    09.12.2026");
    EXPECT_EQ(printed[4], de[3].join(u'\t'));
    EXPECT_EQ(printed.back(),
              QStringLiteral("Förderhöhe: ") + de.back()[1] + QStringLiteral(" kPa"));
    const QStringList total = CircuitTotalRow(de, PipeControlTexts());
    EXPECT_EQ(total[0], u"Summe");
    EXPECT_EQ(total[4], u"22,90");
    EXPECT_EQ(total[10], de[7][1]); // the loss in mbar, not in the page's unit
    const QString csv = CircuitCsv(de);
    EXPECT_TRUE(csv.contains(QStringLiteral("TS 3;1500;")));
    EXPECT_EQ(csv.count(QStringLiteral("\r\n")), de.size());
}

TEST(CircuitFile, WrittenAndReadBackTheSame)
{
    CircuitFile file{AvailableFluids().value(1), 55.5, 45.25, FrictionLaw::Colebrook, kSections};
    file.sections[0].name = QStringLiteral("Kessel → Verteiler; ü");
    file.sections[2].length = 0.1 + 0.2; // no decimal text loses a digit
    const QByteArray bytes = WriteCircuitFile(file);
    EXPECT_TRUE(bytes.startsWith("Quorvanta-Heizkreis\nversion\t1\n"));
    const CircuitFileRead read = ReadCircuitFile(bytes, 6);
    ASSERT_TRUE(read.file) << int(read.error) << " line " << read.line;
    EXPECT_EQ(read.file->fluid, file.fluid);
    EXPECT_EQ(read.file->tv, 55.5);
    EXPECT_EQ(read.file->tr, 45.25);
    EXPECT_EQ(read.file->law, FrictionLaw::Colebrook);
    ASSERT_EQ(read.file->sections.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const CircuitSection &a = file.sections[i], &b = read.file->sections[i];
        EXPECT_EQ(a.name, b.name);
        EXPECT_EQ(a.load, b.load);
        EXPECT_EQ(a.pipe, b.pipe);
        EXPECT_EQ(a.length, b.length);
        EXPECT_EQ(a.zeta, b.zeta);
    }
    // Written elsewhere: a byte-order mark and CRLF lines.
    QByteArray windows = "\xEF\xBB\xBF" + bytes;
    windows.replace("\n", "\r\n");
    EXPECT_TRUE(ReadCircuitFile(windows, 6).file);
    EXPECT_TRUE(ReadCircuitFile(WriteCircuitFile({}), 0).file); // an empty circuit
}

TEST(CircuitFile, BadFilesAreRefusedWhole)
{
    using E = CircuitFileError;
    const QByteArray head = "Quorvanta-Heizkreis\nversion\t1\nfluid\t1\ntv\t70\ntr\t50\n"
                            "colebrook\t0\n";
    const QByteArray good = head + "sections\t2\nA\t1000\t1\t2\t0\nB\t500\t0\t1.5\t2\n";
    ASSERT_TRUE(ReadCircuitFile(good, 6).file);
    QByteArray many = head + "sections\t10000\n";
    for (int i = 0; i < 10000; ++i)
        many += "S\t1000\t1\t2\t0\n";
    const struct {
        const char* what;
        QByteArray bytes;
        E error;
        int line;
    } cases[] = {
        {"empty", "", E::Empty, 0},
        {"blank lines", " \n\r\n", E::Empty, 0},
        {"another file", "Stand: 01.01.2026\nUSD;0,9\n", E::NotACircuit, 1},
        {"wrong version", QByteArray(good).replace("version\t1", "version\t2"), E::Version, 2},
        {"10 000 sections", many, E::TooMany, 7},
        {"cut after the header", head, E::Truncated, 6},
        {"fewer sections", good.left(good.lastIndexOf("B\t")), E::Truncated, 8},
        {"section cut short", good.left(good.size() - 6), E::Truncated, 9},
        {"load no number", head + "sections\t1\nA\tviel\t1\t2\t0\n", E::BadValue, 8},
        {"length nan", head + "sections\t1\nA\t1000\t1\tnan\t0\n", E::BadValue, 8},
        {"ζ infinite", head + "sections\t1\nA\t1000\t1\t2\tinf\n", E::BadValue, 8},
        {"decimal comma", head + "sections\t1\nA\t1000\t1\t2,5\t0\n", E::BadValue, 8},
        {"no load", head + "sections\t1\nA\t0\t1\t2\t0\n", E::BadValue, 8},
        {"negative length", head + "sections\t1\nA\t1000\t1\t-2\t0\n", E::BadValue, 8},
        {"pipe past the table", head + "sections\t1\nA\t1000\t6\t2\t0\n", E::BadValue, 8},
        {"unknown fluid", QByteArray(good).replace("fluid\t1", "fluid\t99"), E::BadValue, 3},
        {"temperature no number", QByteArray(good).replace("tv\t70", "tv\tx"), E::BadValue, 4},
        {"count no number", head + "sections\tdrei\n", E::BadValue, 7},
        {"line after the sections", good + "C\t1\t1\t1\t1\n", E::BadValue, 10},
    };
    for (const auto& c : cases) {
        const CircuitFileRead read = ReadCircuitFile(c.bytes, 6);
        EXPECT_FALSE(read.file) << c.what;
        EXPECT_EQ(read.error, c.error) << c.what;
        EXPECT_EQ(read.line, c.line) << c.what;
    }
}

} // namespace
