#include "formula_legend.h"

#include "calculator/mc_strings.h"
#include "formula_catalogue.h"
#include "formula_glyphs.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

constexpr int kSymbolX = 5;
constexpr int kUnitX = 23;
constexpr int kConstantX = 33;
constexpr int kCaptionX = 80;
// The delta as tall as the legend's 11-pixel text: a taller one meets the dot of V̇ below.
constexpr int kDeltaHeight = 11;

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

class Legend {
public:
    Legend(QImage& image, int number, const McStrings& captions)
        : c(image, FormulaFonts::Tahoma(11)), m_formula(FormulaCatalogue::Formula(number)),
          m_captions(captions)
    {}

    FormulaCanvas c;
    int last = 0; // y of the lowest line drawn

    QString entry(int n) const { return m_captions.Entry(n); }

    void text(int x, int dy, const QString& s) { c.TextOut(x, y(dy), s); }
    void underlined(int x, int dy, const QString& s)
    {
        QFont font = c.Font();
        font.setUnderline(true);
        c.SetFont(font);
        text(x, dy, s);
        c.BaseFont();
    }

    // The symbol of slot k at (x, row dy); `index` replaces the catalogue's subscript.
    void symbol(int k, int dy, int x = kSymbolX, const QString& index = {})
    {
        const FormulaSymbol& s = m_formula.variables[size_t(k)].symbol;
        const QString sub = index.isEmpty() ? s.index : index;
        c.MoveTo(x, y(dy));
        if (s.sigmaZeta) {
            c.DrawSigma(x, y(dy));
            c.DrawZeta(c.Pen().x(), y(dy));
            return;
        }
        if (s.delta)
            c.DrawDelta(x, y(dy), kDeltaHeight);
        if (!sub.isEmpty())
            c.DrawSubscripted(c.Pen().x(), y(dy), s.base, s.italic, sub);
        else if (s.italic)
            c.DrawItalic(c.Pen().x(), y(dy), s.base);
        else if (s.overdot)
            c.DrawOverdotText(c.Pen().x(), y(dy), s.base);
        else
            c.Text(s.base);
    }

    // A building-services row: symbol, unit, " : " and the caption (two lines if it has two).
    void row(int k, int dy, int captionGap = 15)
    {
        const FormulaSlot& slot = m_formula.variables[size_t(k)];
        symbol(k, dy);
        text(kUnitX, dy, slot.unit);
        text(kCaptionX, dy, u8(" : ") + entry(slot.caption));
        if (slot.caption2 >= 0)
            text(kCaptionX, dy + captionGap, u8("   ") + entry(slot.caption2));
    }

    // An area or volume row: symbol and ":  " with the caption.
    void geometryRow(int k, int dy)
    {
        const FormulaSlot& slot = m_formula.variables[size_t(k)];
        symbol(k, dy);
        text(kUnitX, dy, u8(":  ") + entry(slot.caption) + slot.captionSuffix);
    }

    // Δp₀ and ρ₀ of the kv formulas, with their values.
    void referenceConstants(int dpRow, int rhoRow, int noteRow)
    {
        underlined(kSymbolX, 85, entry(16));
        text(kSymbolX, 105, entry(17) + u8(":"));
        c.DrawDelta(kSymbolX, y(dpRow), kDeltaHeight);
        c.DrawSubscripted(c.Pen().x(), y(dpRow), u8("p"), false, u8("0"));
        text(kConstantX, dpRow, u8(" = 1000 mbar"));
        c.DrawSubscripted(kSymbolX, y(rhoRow), u8("ρ"), true, u8("0"));
        text(kConstantX, rhoRow, u8(" = 999,1 kg/m³"));
        text(kSymbolX, noteRow, u8("   (") + entry(18) + u8(")"));
    }

private:
    int y(int dy)
    {
        last = std::max(last, 3 + dy);
        return 3 + dy;
    }

    const FormulaInfo& m_formula;
    const McStrings& m_captions;
};

void buildingServices(Legend& l, int number)
{
    switch (number) {
    case 0:
    case 1: {
        int dy = 15;
        for (int k = 0; k < (number == 0 ? 6 : 5); ++k) {
            l.row(k, dy);
            dy += FormulaCatalogue::Formula(number).variables[size_t(k)].caption2 >= 0 ? 30 : 15;
        }
        return;
    }
    case 2:
        for (int k = 0; k < 4; ++k)
            l.row(k, 15 + 15 * k);
        l.referenceConstants(120, 150, 165);
        return;
    case 3:
    case 4:
        l.row(0, 15);
        return;
    case 5:
        for (int k = 0; k < 4; ++k)
            l.row(k, 15 + 15 * k);
        l.referenceConstants(120, 135, 150);
        return;
    case 6:
        l.row(0, 15);
        l.row(1, 35);
        l.row(2, 65);
        l.row(3, 80, 20);
        return;
    case 7:
        l.row(0, 15);
        l.row(1, 30);
        l.underlined(kSymbolX, 70, l.entry(16));
        l.text(kSymbolX, 90, l.entry(25) + u8(":"));
        l.text(kSymbolX, 105, u8("g"));
        l.text(kConstantX, 105, u8(" = 9,81 m/s"));
        l.text(kSymbolX, 120, l.entry(8) + u8(":"));
        l.c.DrawSubscripted(kSymbolX, 3 + 135, u8("ρ"), true, u8("r"));
        l.text(kConstantX, 135, u8(" = 983,2 kg"));
        l.text(kSymbolX, 150, l.entry(6) + u8(":"));
        l.c.DrawSubscripted(kSymbolX, 3 + 165, u8("ρ"), true, u8("v"));
        l.text(kConstantX, 165, u8(" = 971,6 kg"));
        return;
    case 8:
        l.row(1, 15);
        l.row(3, 45);
        l.row(2, 75);
        l.underlined(kSymbolX, 115, l.entry(16));
        l.text(kSymbolX, 135, l.entry(27) + u8(":"));
        l.symbol(7, 150);
        l.text(kUnitX, 150, u8(" ~ 1,3 (") + l.entry(28) + u8(")"));
        l.symbol(0, 165);
        l.text(kUnitX, 165, u8(" : ") + l.entry(29));
        l.text(kUnitX, 180, u8("   ") + l.entry(30));
        return;
    default:
        return;
    }
}

} // namespace

namespace FormulaLegend {

int DrawLegend(QImage& image, int number, const McStrings& captions, qreal ratio)
{
    const QSize size = QSize(Width, Height) * ratio;
    if (image.size() != size || image.devicePixelRatio() != ratio) {
        image = QImage(size, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
    }
    image.fill(QGuiApplication::palette().color(QPalette::Button));
    Legend l(image, number, captions);
    l.underlined(kSymbolX, -3, captions.Entry(3));
    const FormulaInfo& formula = FormulaCatalogue::Formula(number);
    if (formula.group == FormulaGroup::BuildingServices) {
        buildingServices(l, number);
    } else {
        // One row per slot in catalogue order, mirrors left out; the sector lists V, h, d.
        std::vector<int> order;
        for (int k = 0; k < int(formula.variables.size()); ++k)
            if (formula.variables[size_t(k)].mirrorOf < 0)
                order.push_back(k);
        if (number == 33)
            order = {0, 2, 1};
        int dy = 15;
        for (int k : order) {
            l.geometryRow(k, dy);
            if (number == 12 && k == 1) {
                dy += 15;
                l.text(kUnitX, dy, QStringLiteral("   ") + captions.Entry(33));
            }
            dy += 15;
        }
    }
    return l.last + 15;
}

} // namespace FormulaLegend
