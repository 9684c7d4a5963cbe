#include "formula_legend.h"

#include "calculator/mc_strings.h"
#include "formula_catalogue.h"
#include "formula_glyphs.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

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
    void symbol(int k, int dy, int x = LegendColumn::Symbol, const QString& index = {})
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
        text(LegendColumn::Unit, dy, slot.unit);
        text(LegendColumn::Caption, dy, u8(" : ") + entry(slot.caption));
        if (slot.caption2 >= 0)
            text(LegendColumn::Caption, dy + captionGap, u8("   ") + entry(slot.caption2));
    }

    // An area or volume row: symbol and ":  " with the caption (two lines if it has two).
    void geometryRow(int k, int dy)
    {
        const FormulaSlot& slot = m_formula.variables[size_t(k)];
        symbol(k, dy);
        text(LegendColumn::Unit, dy, u8(":  ") + entry(slot.caption) + slot.captionSuffix);
        if (slot.caption2 >= 0)
            text(LegendColumn::Unit, dy + 15, u8("   ") + entry(slot.caption2));
    }

    void step(const LegendStep& st)
    {
        using Op = LegendStep::Op;
        switch (st.op) {
        case Op::Row:
            row(st.slot, st.dy, st.gap);
            return;
        case Op::GeometryRow:
            geometryRow(st.slot, st.dy);
            return;
        case Op::Heading:
            underlined(st.x, st.dy, entry(st.caption));
            return;
        case Op::Text:
            text(st.x, st.dy,
                 st.prefix + (st.caption >= 0 ? entry(st.caption) : QString()) + st.suffix);
            return;
        case Op::Symbol:
            symbol(st.slot, st.dy, st.x);
            return;
        case Op::Subscripted:
            c.DrawSubscripted(st.x, y(st.dy), st.prefix, true, st.suffix);
            return;
        case Op::DeltaP0:
            c.DrawDelta(st.x, y(st.dy), kDeltaHeight);
            c.DrawSubscripted(c.Pen().x(), y(st.dy), u8("p"), false, u8("0"));
            return;
        }
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
    l.underlined(LegendColumn::Symbol, -3, captions.Entry(3));
    for (const LegendStep& step : FormulaCatalogue::Formula(number).legend)
        l.step(step);
    return l.last + 15;
}

} // namespace FormulaLegend
