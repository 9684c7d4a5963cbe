#include "calculator/key_chars.h"
#include "calculator/key_filter.h"
#include "pipes/pipe_sizing.h"

#include <gtest/gtest.h>

namespace {

using F = PipeField;

TPipeRecord pipe(int group, int dn, double innerMm, double roughnessMm)
{
    TPipeRecord r;
    r.group = quint8(group);
    r.dn = qint16(dn);
    r.innerDiameter = innerMm;
    r.roughness = roughnessMm;
    r.name = QStringLiteral("%1/%2").arg(group).arg(dn);
    r.active = true;
    return r;
}

// Steel DN 15 … 25, then copper 15 × 1 … 28 × 1.5.
QList<TPipeRecord> twoSeries()
{
    return {pipe(1, 15, 16.1, 0.045), pipe(1, 20, 21.7, 0.045), pipe(1, 25, 27.3, 0.045),
            pipe(2, 12, 13, 0.0015),  pipe(2, 20, 20, 0.0015),  pipe(2, 25, 25, 0.0015)};
}

constexpr int kCopper22 = 4;

// 70/50 °C, 10 kW typed into edtLeistung, copper 22 × 1 selected, 2 m.
struct Sized : testing::Test {
    PipeSizing s;
    void SetUp() override
    {
        s.SetPipes(twoSeries());
        s.cbxRohreClick(kCopper22);
        type(F::edtLeistung, QStringLiteral("10000"));
    }
    void type(PipeField field, const QString& text, char16_t key = u'0')
    {
        s.SetText(field, text);
        if (field == F::edtVP)
            s.edtVPKeyUp(key);
        else if (field == F::edttv || field == F::edttr || field == F::edtLeistung)
            s.edttvKeyUp(key);
        else
            s.edtLangChange();
    }
    void expectTexts(std::initializer_list<std::pair<PipeField, const char16_t*>> texts)
    {
        for (const auto& [field, text] : texts)
            EXPECT_EQ(s.Text(field), QString::fromUtf16(text)) << InfoOf(field).name;
    }
};

TEST_F(Sized, TenKilowattsAtSeventyFiftyInCopperTwentyTwo)
{
    // V = 0.43756 m³/h, v = 0.38689 m/s, R = 1.0327 mbar/m, water content 0.6283 l.
    expectTexts({{F::edtVP, u"0,438"},
                 {F::edtVP1, u"0,12"},
                 {F::edtDN, u"20"},
                 {F::edtDurchfl, u"0,39"},
                 {F::edtrwert, u"1.0"},
                 {F::edtRohrDP, u"2.1"},
                 {F::edtDP, u"2.1"},
                 {F::edtZetaDP, u""}, // an empty ζ reads as 0
                 {F::edtkv, u"0,000"},
                 {F::edt_rohrvolumen, u"0,63"},
                 {F::edtZetawert, u""}});
    EXPECT_EQ(s.RUnitLabel(), u"mbar/m");
}

TEST_F(Sized, SingleResistancesAndTheirKv)
{
    type(F::edtZetawert, QStringLiteral("2"));
    // Z = v²ρ/200·ζ = 1.4712 mbar, kv = V·√(1000ρ / (999.1·Z)) = 11.3148 m³/h.
    expectTexts({{F::edtZetaDP, u"1.5"},
                 {F::edtDP, u"3.5"},
                 {F::edtRohrDP, u"2.1"},
                 {F::edtkv, u"11,315"}});
}

TEST_F(Sized, AUnitChangeReformatsEveryPressure)
{
    type(F::edtZetawert, QStringLiteral("2"));
    s.cbxDruckangabeClick(1); // Pascal
    expectTexts({{F::edtrwert, u"103"},
                 {F::edtDP, u"354"},
                 {F::edtZetaDP, u"147"},
                 {F::edtRohrDP, u"207"}});
    EXPECT_EQ(s.RUnitLabel(), u"Pascal/m");
    EXPECT_EQ(s.RunUnitLabel(), u"Pascal");
    EXPECT_EQ(s.TotalUnitLabel(), u"Pascal");
    s.cbxDruckangabeClick(6); // bar
    expectTexts({{F::edtrwert, u"0.00103"}, {F::edtDP, u"0.00354"}});
}

TEST_F(Sized, AGlycolLosesMoreThanWaterAtTheSameFlow)
{
    s.cbxDruckangabeClick(1); // Pascal, for R in whole digits
    const QString waterFlow = s.Text(F::edtVP);
    expectTexts({{F::edtrwert, u"103"}});
    s.cbxMediumClick(5); // ethylene glycol to -25 °C: less heat per m³, so more flow
    EXPECT_GT(FieldFloat(s.Text(F::edtVP)), FieldFloat(waterFlow));
    type(F::edtVP, waterFlow);
    EXPECT_GT(s.Text(F::edtrwert).toDouble(), 103 * 1.2); // viscosity and density
    EXPECT_EQ(s.Fluid(), 5);

    s.cbxMediumClick(Water);
    type(F::edtLeistung, QStringLiteral("10000"));
    expectTexts({{F::edtVP, u"0,438"}, {F::edtDurchfl, u"0,39"}, {F::edtrwert, u"103"}});

    // Past the mixture's values (its fits end at 100 °C) the results stay as they were.
    s.cbxMediumClick(5);
    const QString glycolR = s.Text(F::edtrwert);
    type(F::edttv, QStringLiteral("115"));
    EXPECT_EQ(s.Text(F::edtrwert), glycolR);
}

TEST_F(Sized, TabOrEnterDoNotRecompute)
{
    for (const char16_t key : {KeyChar::Tab, KeyChar::Enter}) {
        type(F::edtLeistung, QStringLiteral("20000"), key);
        type(F::edtVP, QStringLiteral("5"), key);
        expectTexts({{F::edtVP, u"5"}, {F::edtLeistung, u"20000"}, {F::edtDurchfl, u"0,39"}});
    }
}

TEST_F(Sized, AVolumeFlowGivesTheLoad)
{
    // Q = (t_v - t_r)·V·ρ·c = 20 · 0.86 · 982.85 · 1.16264 W.
    type(F::edtVP, QStringLiteral("0,86"));
    expectTexts({{F::edtLeistung, u"19654,43"}, {F::edtVP1, u"0,24"}, {F::edtDurchfl, u"0,76"}});
}

TEST_F(Sized, FailedOrEmptyComputationsKeepTheResults)
{
    // t_v = t_r: the flow divides by zero, and no field changes.
    type(F::edttr, QStringLiteral("70"));
    expectTexts({{F::edtVP, u"0,438"}, {F::edtDurchfl, u"0,39"}, {F::edtrwert, u"1.0"}});
    // Below 0 °C water has no density.
    s.SetText(F::edttr, QStringLiteral("-15"));
    type(F::edttv, QStringLiteral("-12"));
    expectTexts({{F::edtVP, u"0,438"}, {F::edtDurchfl, u"0,39"}});
    // t_v < t_r: a negative velocity, no pressure loss, the other results stay.
    s.SetText(F::edttr, QStringLiteral("70"));
    type(F::edttv, QStringLiteral("50"));
    expectTexts({{F::edtVP, u"-0,438"},
                 {F::edtDurchfl, u"-0,39"},
                 {F::edtrwert, u"1.0"},
                 {F::edtDP, u"2.1"}});
    // No length and no ζ: a loss of exactly 0 leaves the results as they were.
    s.SetText(F::edttr, QStringLiteral("50"));
    s.SetText(F::edttv, QStringLiteral("70"));
    type(F::edtLang, QStringLiteral("0"));
    expectTexts({{F::edtDurchfl, u"0,39"},
                 {F::edtrwert, u"1.0"},
                 {F::edtDP, u"2.1"},
                 {F::edt_rohrvolumen, u"0,00"}});
}

TEST_F(Sized, TheSearchTakesTheSmallestPipeOfTheSeriesBelowTheLimit)
{
    s.cbxRohreClick(0); // steel: 0.597, 0.329 and 0.208 m/s
    s.FindBestPipe();
    EXPECT_EQ(s.SelectedPipe(), 1);
    EXPECT_EQ(s.Text(F::edtDN), u"20");
    EXPECT_FALSE(s.VelocityOverLimit());
    s.cbxRohreClick(5); // copper: 0.916, 0.387 and 0.248 m/s
    s.FindBestPipe();
    EXPECT_EQ(s.SelectedPipe(), kCopper22);
    // No pipe keeps below 0.1 m/s: the largest of the series, its velocity marked.
    type(F::edtMaxvp, QStringLiteral("0,1"));
    s.FindBestPipe();
    EXPECT_EQ(s.SelectedPipe(), 5);
    EXPECT_TRUE(s.VelocityOverLimit());
    s.UpDown1Click(UpDownButton::Down);
    EXPECT_FALSE(s.VelocityOverLimit());
    // A maximum of 0: the search does nothing.
    type(F::edtMaxvp, QStringLiteral("0"));
    s.FindBestPipe();
    EXPECT_EQ(s.SelectedPipe(), kCopper22);
}

TEST(PipeSizing, TheArrowsStepThroughTheWholeTable)
{
    QList<TPipeRecord> many;
    for (int i = 0; i < 30; ++i)
        many.append(pipe(1, 10 + i, 10 + i, 0.045));
    PipeSizing s;
    s.SetPipes(many);
    for (int i = 0; i < 40; ++i)
        s.UpDown1Click(UpDownButton::Up);
    EXPECT_EQ(s.SelectedPipe(), 29);
    EXPECT_EQ(s.Text(F::edtDN), u"39");
    s.UpDown1Click(UpDownButton::Down);
    EXPECT_EQ(s.SelectedPipe(), 28);
    // A shorter table after a reload keeps what it can.
    s.SetPipes(many.mid(0, 5));
    EXPECT_EQ(s.SelectedPipe(), 0);
}

TEST(PipeSizing, WithoutPipesNothingHappens)
{
    PipeSizing s;
    EXPECT_FALSE(s.LoadPipeFile(QStringLiteral("/nonexistent"), 1));
    s.SetText(F::edtLeistung, QStringLiteral("10000"));
    s.edttvKeyUp(u'0');
    s.UpDown1Click(UpDownButton::Up);
    s.FindBestPipe();
    s.cbxRohreClick(0);
    EXPECT_EQ(s.SelectedPipe(), -1);
    EXPECT_TRUE(s.PipeNames().isEmpty());
    for (const F f : {F::edtDN, F::edtDurchfl, F::edt_rohrvolumen, F::edtDP})
        EXPECT_EQ(s.Text(f), u"") << InfoOf(f).name;
    EXPECT_EQ(s.Text(F::edtVP), u"0,438"); // the flow needs no pipe
}

} // namespace
