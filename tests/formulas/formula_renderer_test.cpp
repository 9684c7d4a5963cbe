#include "common/mc_strings.h"
#include "formulas/ui/formula_glyphs.h"
#include "formulas/ui/formula_legend.h"
#include "formulas/ui/formula_page.h"
#include "formulas/ui/formula_renderer.h"
#include "i18n/translation_table.h"
#include "platform/fonts.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

class Renderer : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterProgramFonts(); }

    // Draws both lines of formula `number` with the vars' placeholders, or `texts`.
    void draw(int number, std::vector<const char*> texts = {})
    {
        FormulaVariables set;
        set.FormulaNumber = number;
        set.Rebuild = true;
        const auto& vars = FormulaCatalogue::Formula(number).variables;
        for (size_t i = 0; i < vars.size(); ++i)
            set.Texts[i] = i < texts.size() ? QString::fromUtf8(texts[i]) : vars[i].placeholder;
        range = renderer.DrawFormula(set, true);
        used = int(vars.size());
        shown = set;
    }
    const FieldPlace& field(int k) const { return renderer.Fields()[size_t(k)]; }
    static int width(const char* text, const QFont& font = FormulaFonts::Tahoma(14))
    {
        return QFontMetrics(font).horizontalAdvance(QString::fromUtf8(text));
    }
    bool black(int x, int y) const { return qGray(renderer.Image().pixel(x, y)) < 128; }

    // The image as the page shows it: the fields' texts over the formula.
    QImage withFields() const
    {
        QImage image = renderer.Image().copy();
        QPainter p(&image);
        for (int k = 0; k < used; ++k) {
            const FieldPlace& f = field(k);
            p.setFont(f.italic ? FormulaFonts::ArialItalic() : FormulaFonts::Tahoma(14));
            p.setPen(Qt::blue);
            p.drawText(QRect(f.pos, QSize(f.width, 17)), Qt::AlignCenter, shown.Texts[size_t(k)]);
        }
        return image;
    }

    FormulaRenderer renderer;
    FormulaVariables shown;
    int range = 0;
    int used = 0;
};

TEST_F(Renderer, KvValueLineFollowsThePixelRules)
{
    draw(2, {"kv", "V", "p", "p"});
    constexpr int y = FormulaRenderer::ValueLineY;
    const int kvEnd = 20 + width("kv");
    EXPECT_EQ(field(0).pos, QPoint(20, y));
    EXPECT_EQ(field(0).width, width("kv") + 2);
    const int vx = kvEnd + width(" = ");
    EXPECT_EQ(field(1).pos, QPoint(vx, y));
    // The root starts after " · "; its top right R is 15 pixels on and 18 up.
    const int rx = vx + width("V") + width(" · ") + 15;
    EXPECT_EQ(field(2).pos, QPoint(rx + 3 + width("1000") + width(" · "), y - 14));
    EXPECT_TRUE(field(2).italic);
    EXPECT_EQ(field(2).width, int(width("p", FormulaFonts::ArialItalic()) * 1.4));
    // Δp below the bar at R.y + 30, after the drawn delta.
    EXPECT_EQ(field(3).pos, QPoint(rx + 3 + 10, y - 18 + 30));
    EXPECT_TRUE(black(rx + 3, y + 8)) << "fraction bar";
    EXPECT_TRUE(black(rx + 3, y - 18)) << "root bar";
    EXPECT_EQ(range, 352);
}

TEST_F(Renderer, FlowGetsItsDotOnlyWithoutANumber)
{
    constexpr int y = FormulaRenderer::ValueLineY;
    for (const char* flow : {"V", "2,5"}) {
        SCOPED_TRACE(flow);
        draw(2, {"1", flow, "999,1", "1000"});
        const FieldPlace& v = field(1);
        const int m = v.pos.x() + (v.width - 2) / 2;
        EXPECT_EQ(black(m, y - 2) && black(m, y - 1), flow[0] == 'V');
        // A rho holding a number is plain and 2 pixels wider than its text.
        EXPECT_FALSE(field(2).italic);
        EXPECT_EQ(field(2).width, width("999,1") + 2);
    }
}

TEST_F(Renderer, CircumferenceDrawsItsPiWithLines)
{
    draw(35);
    constexpr int y = FormulaRenderer::SymbolLineY;
    const int x = 20 + width("U = 2 · r · ");
    // The bar of pi and its two legs.
    for (int dx = 2; dx <= 12; ++dx)
        EXPECT_TRUE(black(x + dx, y + 5)) << dx;
    EXPECT_TRUE(black(x + 4, y + 10));
    EXPECT_TRUE(black(x + 8, y + 10));
    EXPECT_FALSE(black(x + 6, y + 10));
    // The value line: U = 2 · r · π with fields for U and r.
    EXPECT_EQ(field(0).pos, QPoint(20, 120));
    EXPECT_EQ(field(1).pos.x(), 20 + width("U") + 2 - 2 + width(" = 2 · "));
}

TEST_F(Renderer, FractionCentresItsDenominatorUnderTheBar)
{
    draw(12, {"A", "12", "3"});
    constexpr int y = FormulaRenderer::ValueLineY;
    const int fx = 20 + width("A") + width(" = ");
    EXPECT_EQ(field(1).pos, QPoint(fx + 3, y - 14));
    const int numEnd = fx + 3 + width("12") + width(" · ") + width("3");
    EXPECT_EQ(field(2).pos.x() + field(2).width - 2, numEnd);
    const int barEnd = numEnd + 4;
    EXPECT_TRUE(black(fx, y + 8));
    EXPECT_TRUE(black(barEnd, y + 8));
    EXPECT_FALSE(black(barEnd + 1, y + 8));
    // "2" at F.x + (bar end − F.x) ÷ 2 − 5: its ink lies right of that x and left of the end.
    const int dx = fx + (barEnd - fx) / 2 - 5;
    bool ink = false;
    for (int x = dx; x < dx + width("2"); ++x)
        for (int yy = y + 14; yy < y + 28; ++yy)
            ink = ink || black(x, yy);
    EXPECT_TRUE(ink);
}

TEST_F(Renderer, RootOfTheSeriesKvHoldsTheMirrors)
{
    draw(4, {"2,4", "3", "4", "3", "4"});
    constexpr int y = FormulaRenderer::ValueLineY;
    const int fx = 20 + width("2,4") + width(" = ");
    EXPECT_EQ(field(1).pos, QPoint(fx + 10, y - 14));
    // The radicand starts where the root ends.
    EXPECT_EQ(field(3).pos, QPoint(fx + 10, y + 13));
    EXPECT_GT(field(4).pos.x(), field(3).pos.x() + field(3).width);
    // The small root from (F.x, y + 17) up to its top at y + 10.
    EXPECT_TRUE(black(fx + 6, y + 28));
    EXPECT_TRUE(black(fx + 10, y + 10));
}

// What the page shows of every value line, with letters and with numbers. The fields lie
// over the image and hide what is drawn under them: no bar of a fraction or root crosses a
// field, no power lies under one, and no ink at all (a bracket's stroke) is hidden. Fields
// of one row of text share their top.
TEST_F(Renderer, FieldsHideNothingAndShareTheirRows)
{
    const int fieldHeight = FormulaRenderer::FieldHeight();
    for (int number = 0; number < FormulaCatalogue::FormulaCount; ++number) {
        for (const bool numbers : {false, true}) {
            SCOPED_TRACE(number * 10 + numbers);
            renderer.ResetFieldWidths();
            if (numbers)
                draw(number, {"12,5", "3", "70", "50", "1,163", "977", "55", "1,3"});
            else
                draw(number);
            const ValueLineLayout& layout = renderer.ValueLine();
            for (int k = 0; k < used; ++k) {
                SCOPED_TRACE(k);
                const QRect box(field(k).pos, QSize(field(k).width, fieldHeight));
                for (const QLine& bar : layout.bars)
                    EXPECT_FALSE(box.intersects(QRect(bar.p1(), bar.p2())))
                        << "bar at " << bar.y1();
                for (const QRect& power : layout.powers)
                    EXPECT_FALSE(box.intersects(power)) << "power at " << power.x();
                int hidden = 0;
                for (int y = box.top(); y <= box.bottom(); ++y)
                    for (int x = box.left(); x <= box.right(); ++x)
                        hidden += black(x, y);
                EXPECT_EQ(hidden, 0) << "ink under the field";
                // Rows of a formula lie at least half a field apart; the radiator
                // factor's exponent n stands by its bracket, a pixel off the numerator.
                for (int j = 0; j < used; ++j) {
                    const int dy = field(j).pos.y() - field(k).pos.y();
                    const bool exponent = number == 8 && (j == 7 || k == 7);
                    if (dy != 0 && std::abs(dy) < fieldHeight / 2 && !exponent)
                        ADD_FAILURE() << "field " << j << " off the row";
                }
            }
        }
    }
}

// Rho is a rho, and in the legend's 11-pixel rows it stays inside its own row, with or
// without its index.
TEST_F(Renderer, RhoIsARhoSizedToItsLine)
{
    const QString rho = FormulaCatalogue::Formula(0).variables[5].symbol.base;
    QImage drawn(40, 30, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    FormulaCanvas(drawn, FormulaFonts::Tahoma(14)).DrawItalic(5, 5, rho);
    QImage letterP(drawn.size(), QImage::Format_RGB32);
    letterP.fill(Qt::white);
    {
        QPainter p(&letterP);
        QFont italicArial(QStringLiteral("Arial"));
        italicArial.setPixelSize(14);
        italicArial.setItalic(true);
        p.setFont(italicArial);
        p.drawText(QPoint(5, 5 + QFontMetrics(italicArial).ascent()), QStringLiteral("p"));
    }
    EXPECT_NE(drawn, letterP) << "drawn as the letter p";

    for (const char* index : {"", "0", "r", "v"}) {
        SCOPED_TRACE(index);
        QImage legend(60, 60, QImage::Format_RGB32);
        legend.fill(Qt::white);
        FormulaCanvas c(legend, FormulaFonts::Tahoma(11));
        constexpr int top = 20;
        if (*index)
            c.DrawSubscripted(5, top, rho, true, QString::fromLatin1(index));
        else
            c.DrawItalic(5, top, rho);
        int first = legend.height(), last = -1;
        for (int y = 0; y < legend.height(); ++y)
            for (int x = 0; x < legend.width(); ++x)
                if (qGray(legend.pixel(x, y)) < 128) {
                    first = std::min(first, y);
                    last = std::max(last, y);
                }
        EXPECT_GE(first, top);
        EXPECT_LT(last, top + 15) << "runs into the next row";
    }
}

// On a screen with two device pixels to a pixel the formula is drawn at that resolution:
// the same places, lines exactly two device pixels thick, and text rasterised afresh, not
// the 1× picture enlarged.
TEST_F(Renderer, HighDensityScreensGetAPictureOfTheirOwn)
{
    draw(12, {"A", "12", "3"});
    const QImage single = renderer.Image().copy();
    const auto places = renderer.Fields();
    renderer.SetDevicePixelRatio(2);
    draw(12, {"A", "12", "3"});
    const QImage& twice = renderer.Image();
    ASSERT_EQ(twice.size(), QSize(2000, 340));
    EXPECT_EQ(twice.devicePixelRatio(), 2);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(field(k).pos, places[size_t(k)].pos) << k;
    constexpr int bar = FormulaRenderer::ValueLineY + 8;
    const int fx = 20 + width("A") + width(" = ");
    const auto dark = [&](int x, int y) { return qGray(twice.pixel(x, y)) < 128; };
    for (int x = 2 * fx; x < 2 * (fx + 20); ++x) {
        EXPECT_TRUE(dark(x, 2 * bar) && dark(x, 2 * bar + 1)) << x;
        EXPECT_FALSE(dark(x, 2 * bar - 1) || dark(x, 2 * bar + 2)) << x;
    }
    int differing = 0;
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x)
            differing += qGray(twice.pixel(x, y)) != qGray(single.pixel(x / 2, y / 2));
    EXPECT_GT(differing, 500) << "the 1x picture enlarged";

    QImage legend;
    FormulaLegend::DrawLegend(legend, 0, McStrings(), 2);
    EXPECT_EQ(legend.size(), QSize(362, 406));
    EXPECT_EQ(legend.devicePixelRatio(), 2);
}

TEST_F(Renderer, WideFormulaWidensTheScrollRange)
{
    draw(0, {"V", "1234567890", "1234567890", "1234567890", "1234567890", "1234567890"});
    const int right = field(5).pos.x() + field(5).width - 2;
    EXPECT_GT(right, 350);
    EXPECT_EQ(range, right + 15);
    draw(9);
    EXPECT_EQ(range, 352);
}

// The legend ends 15 pixels below its last row; the drawing starts there.
TEST_F(Renderer, LegendHeightFollowsTheRows)
{
    const McStrings captions;
    const struct {
        int number;
        int height;
    } cases[] = {
        {0, 3 + 135 + 15}, // six rows, three of them with a second caption line
        {2, 3 + 165 + 15}, // the constants Δp₀ and ρ₀ below the variables
        {6, 3 + 100 + 15}, // u's second caption line 20 pixels lower
        {8, 3 + 180 + 15}, {9, 3 + 30 + 15},
        {12, 3 + 60 + 15}, // "der Hypotenuse" under the g row moves h down
        {19, 3 + 75 + 15}, // the mirror d' has no row
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        QImage legend;
        EXPECT_EQ(FormulaLegend::DrawLegend(legend, c.number, captions), c.height);
        EXPECT_EQ(legend.size(), QSize(181, 203));
    }
}

// Polish words a two-line caption of the legend as a pair ("Temperatura" / "zasilania"),
// other than its single-line parts ("Zasilanie" where the flow stands alone): the pairs come
// from the page's texts in the delivered table, and German keeps the entries' own words.
TEST_F(Renderer, PolishLegendWordsItsTwoLineCaptionsAsPairs)
{
    TranslationTable table;
    ASSERT_TRUE(table.LoadTranslations(QStringLiteral(QUORVANTA_PROGRAM_DIR "/uebersetzung.txt")));
    ControlTexts texts = FormulaControlTexts();
    EXPECT_TRUE(FormulaLegend::TwoLineCaptionsOf(texts).isEmpty());
    for (const TranslationEntry& e : table.Entries())
        if (e.form == u"Tfrm_calc" && !e.Text(LanguagePolish).isEmpty())
            texts.Set(e.component, TextProperty::Caption, e.Text(LanguagePolish));
    QStringList entries = McStrings::GermanDefaults();
    table.FillStrings(entries, McStrings::Count - 1, QString(), QStringLiteral("MC_strings"),
                      LanguagePolish);
    McStrings polish;
    polish.SetEntries(entries);
    EXPECT_EQ(polish.Entry(6), u"Zasilanie");
    EXPECT_EQ(polish.Entry(32), u"Długość boku");

    using Pair = std::pair<QString, QString>;
    const FormulaLegend::TwoLineCaptions pairs = FormulaLegend::TwoLineCaptionsOf(texts);
    EXPECT_EQ(pairs.value(6), Pair(u"Temperatura"_qs, u"zasilania"_qs));
    EXPECT_EQ(pairs.value(8), Pair(u"Temperatura"_qs, u"powrotu"_qs));
    EXPECT_EQ(pairs.value(32), Pair(u"Długość"_qs, u"przeciwprostokątnej"_qs));

    // The triangle's legend with the pair reads as one whose entries hold the pair's words;
    // the flow's legend changes with its pairs.
    const auto legend = [](int number, const McStrings& captions,
                           const FormulaLegend::TwoLineCaptions& twoLine) {
        QImage image;
        FormulaLegend::DrawLegend(image, number, captions, 1, twoLine);
        return image;
    };
    QStringList pairWords = entries;
    pairWords[32] = pairs.value(32).first;
    pairWords[33] = pairs.value(32).second;
    McStrings expected;
    expected.SetEntries(pairWords);
    EXPECT_EQ(legend(12, polish, pairs), legend(12, expected, {}));
    EXPECT_NE(legend(0, polish, pairs), legend(0, polish, {}));
}

// Every formula as the page shows it, with placeholders and with numbers, against the
// pictures kept beside this test. Text may be smoothed differently from one font engine to
// another: a picture matches when few of its pixels differ.
TEST_F(Renderer, EveryFormulaMatchesItsPicture)
{
    const QDir dir(QStringLiteral(FORMULA_REFERENCE_DIR));
    const bool update = qEnvironmentVariableIsSet("QUORVANTA_UPDATE_REFERENCES");
    for (int number = 0; number < FormulaCatalogue::FormulaCount; ++number) {
        for (const bool numbers : {false, true}) {
            SCOPED_TRACE(number * 10 + numbers);
            std::vector<const char*> texts;
            if (numbers)
                texts = {"12,5", "3", "70", "50", "1,163", "977", "55", "1,3"};
            renderer.ResetFieldWidths();
            draw(number, texts);
            const QImage image = withFields().convertToFormat(QImage::Format_RGB32);
            const QString name = QStringLiteral("formula_%1%2.png")
                                     .arg(number, 2, 10, QChar(u'0'))
                                     .arg(QLatin1String(numbers ? "_values" : ""));
            if (update) {
                image.save(dir.filePath(name));
                continue;
            }
            const QImage expected(dir.filePath(name));
            ASSERT_FALSE(expected.isNull()) << name.toStdString();
            ASSERT_EQ(expected.size(), image.size());
            const QImage reference = expected.convertToFormat(QImage::Format_RGB32);
            int differing = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (std::abs(qGray(image.pixel(x, y)) - qGray(reference.pixel(x, y))) > 96)
                        ++differing;
            EXPECT_LT(differing, 120) << name.toStdString();
        }
    }
}

} // namespace
