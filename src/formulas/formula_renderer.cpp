#include "formula_renderer.h"

#include "calculator/number_text.h"
#include "formula_glyphs.h"

#include <QFontMetrics>

namespace {

const QColor kBackground = Qt::white;

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// One line of a formula. In the symbol line a variable is drawn as its symbol; in the value
// line it is an entry field, placed by measuring its text (drawn in the background colour).
// F, F2, E and S are the pen positions of the classic drawing: where a fraction or root
// began, the end of the last field or subscripted symbol, and the start of the last field.
class Line {
public:
    Line(FormulaCanvas& canvas, const FormulaVariables& set,
         std::array<FieldPlace, FormulaCatalogue::SlotCount>& fields, ValueLineLayout& layout,
         bool symbol, int y)
        : c(canvas), symbol(symbol), y(y), m_set(set), m_fields(fields), m_layout(layout)
    {}

    FormulaCanvas& c;
    const bool symbol;
    const int y;
    QPoint F;
    QPoint E;
    QPoint S;

    int x() const { return c.Pen().x(); }
    int fieldEnd() const { return m_fieldEnd; }
    void at(int px, int py) { c.MoveTo(px, py); }
    // Text at the pen. Right after a field a text that starts with ink (a bracket) moves
    // past the field's two extra pixels, which would hide its first stroke.
    void text(const QString& s)
    {
        if (!symbol && !s.startsWith(u' ') && x() == E.x() && x() < m_fieldEnd)
            at(m_fieldEnd, c.Pen().y());
        c.Text(s);
    }
    void text(const char* s) { text(u8(s)); }
    void textAt(int px, int py, const char* s) { c.TextOut(px, py, u8(s)); }
    // A power; after a field it stands right of the field's edge, where the field cannot
    // hide it.
    void sup(QChar digit)
    {
        const int px = symbol ? x() : std::max(x(), m_fieldEnd + 1);
        const int py = c.Pen().y();
        c.DrawSuperscript(px, py, digit);
        if (!symbol)
            m_layout.powers.emplace_back(QPoint(px - 1, py - 2), QPoint(x() - 1, py + 9));
    }
    void pi() { c.DrawPi(x(), c.Pen().y()); }
    void italic(const QString& s) { c.DrawItalic(x(), c.Pen().y(), s); }
    void italic(const char* s) { italic(u8(s)); }
    void subscripted(const QString& base, bool italicBase, const QString& sub)
    {
        E = c.DrawSubscripted(x(), c.Pen().y(), base, italicBase, sub);
    }
    void subscripted(const char* base, bool italicBase, const char* sub)
    {
        subscripted(u8(base), italicBase, u8(sub));
    }
    void bar(int x1, int x2, int py)
    {
        c.Line(x1, py, x2, py);
        if (!symbol)
            m_layout.bars.emplace_back(x1, py, x2, py);
    }

    bool numeric(int k) const { return ParseNumber(ToComma(m_set.Texts[size_t(k)])).has_value(); }

    // Variable k: its symbol, or its field. `index` replaces the catalogue's subscript.
    void var(int k, const QString& index = {})
    {
        const FormulaSymbol& s =
            FormulaCatalogue::Formula(m_set.FormulaNumber).variables[size_t(k)].symbol;
        const QString sub = index.isEmpty() ? s.index : index;
        const int py = c.Pen().y();
        if (symbol) {
            if (s.sigmaZeta) {
                c.DrawSigma(x(), py);
                c.DrawZeta(x(), py);
                return;
            }
            if (s.delta)
                c.DrawDelta(x(), py, 14);
            if (!sub.isEmpty())
                E = c.DrawSubscripted(x(), py, s.base, s.italic, sub);
            else if (s.italic)
                c.DrawItalic(x(), py, s.base);
            else if (s.overdot)
                c.DrawOverdotText(x(), py, s.base);
            else
                c.Text(s.base);
            return;
        }
        const bool number = numeric(k);
        if (s.delta && !number)
            c.DrawDelta(x(), py, 14);
        if (!sub.isEmpty() && !number)
            placeSubscripted(k, s.italic, sub);
        else if (s.italic && !number)
            placeItalic(k);
        else
            place(k);
        if (s.overdot && !number)
            c.DrawOverdotSpan(S.x(), py, E.x(), E.y());
        at(E.x(), py);
    }

    // A fraction from the pen: the numerator from (F.x + numX, y − 14), the bar at y + 8
    // from F.x to the longer of numerator and denominator plus 4, the denominator at
    // F.x + denX in the symbol line and centred under the bar in the value line.
    void fractionStart(int numX)
    {
        F = c.Pen();
        at(F.x() + numX, y - 14);
    }
    void fractionEnd(const QString& d, int denX)
    {
        const int fx = F.x();
        const int numEnd = x();
        m_numeratorEnd = numEnd;
        const int denWidth = c.TextWidth(d);
        int barEnd = 0;
        int dx = 0;
        if (symbol) {
            dx = fx + denX;
            barEnd = std::max(numEnd, dx + denWidth) + 4;
        } else {
            barEnd = std::max(numEnd, fx + 3 + denWidth) + 4;
            dx = d.size() == 1 ? fx + (barEnd - fx) / 2 - 5 : fx + (barEnd - fx - denWidth) / 2;
        }
        bar(fx, barEnd, y + 8);
        c.TextOut(dx, y + 14, d);
        at(barEnd, y);
    }
    // The pen `gap` pixels right of the last numerator's end, unless it stands further on.
    void afterNumerator(int gap) { at(std::max(x(), m_numeratorEnd + gap), y); }

    // A small root over what is drawn between rootStart and rootEnd, on the line's row.
    void rootStart()
    {
        m_rootX = x();
        at(m_rootX, y + 6);
        c.DrawRootSmall(m_rootX, y + 6);
        at(m_rootX + 12, y);
    }
    void rootEnd()
    {
        const int end = x();
        bar(m_rootX + 10, end + 2, y - 1);
        at(end + 2, y);
    }

    // The field of variable k at the pen, 2 pixels wider than its text.
    void place(int k)
    {
        const QPoint p = c.Pen();
        c.SetFont(FormulaFonts::Tahoma(14));
        measure(p, k);
        E = c.Pen();
        setField(k, p, E.x() - p.x() + 2, false);
    }
    // An italic letter: 1.4 times its measured width.
    void placeItalic(int k)
    {
        const QPoint p = c.Pen();
        c.SetFont(FormulaFonts::ArialItalic());
        measure(p, k);
        const int measured = c.Pen().x() - p.x();
        E = QPoint(c.Pen().x() + 3, p.y());
        c.BaseFont();
        setField(k, p, int(measured * 1.4), true);
    }
    void placeSubscripted(int k, bool italicField, const QString& sub)
    {
        if (italicField)
            placeItalic(k);
        else
            place(k);
        const FieldPlace& f = m_fields[size_t(k)];
        c.SetFont(FormulaFonts::ArialCell(12));
        c.TextOut(f.pos.x() + f.width + (italicField ? 2 : 1), f.pos.y() + 9, sub);
        c.BaseFont();
        E = QPoint(x(), f.pos.y());
        at(E.x(), E.y());
    }

private:
    void measure(QPoint p, int k)
    {
        c.SetTextColour(kBackground);
        c.TextOut(p.x(), p.y(), m_set.Texts[size_t(k)]);
        c.SetTextColour(Qt::black);
    }
    void setField(int k, QPoint p, int width, bool italicField)
    {
        c.BaseFont();
        at(p.x(), p.y());
        S = p;
        m_fields[size_t(k)] = FieldPlace{p, width, italicField};
        m_fieldEnd = p.x() + width;
    }

    int m_fieldEnd = 0; // the first x right of the last placed field
    int m_numeratorEnd = 0;
    int m_rootX = 0;
    const FormulaVariables& m_set;
    std::array<FieldPlace, FormulaCatalogue::SlotCount>& m_fields;
    ValueLineLayout& m_layout;
};

// No. 0 and No. 1: V̇ (ṁ) = Q̇ over ( Tᵥ - Tᵣ ) · cp (· ρ).
void drawFlow(Line& l, bool rho, int previousQWidth)
{
    const int y = l.y;
    l.at(FormulaRenderer::X0, y);
    l.var(0);
    l.text(" = ");
    l.F = l.c.Pen();
    const int fx = l.F.x();
    if (l.symbol) {
        l.at(fx, y + 14);
        l.text("( ");
        l.var(2);
        l.text(" - ");
        l.var(3);
        l.text(rho ? " ) · cp · " : " ) · cp");
        if (rho)
            l.var(5);
        const int denEnd = l.x();
        l.at(fx + (rho ? 42 : 32), y - 14);
        l.var(1);
        const int barEnd = std::max(denEnd, l.x()) + 4;
        l.bar(fx, barEnd, y + 8);
        l.at(barEnd, y);
        return;
    }
    // The denominator comes first; the bar follows it field by field, and the pen goes
    // back to the denominator's row after each piece of bar.
    l.at(fx, y + 14);
    l.text("( ");
    const auto follow = [&] {
        l.bar(fx, l.E.x(), y + 8);
        l.at(l.E.x(), y + 14);
    };
    l.var(2);
    follow();
    l.text(" - ");
    l.var(3);
    follow();
    l.text(" ) · ");
    l.var(4);
    follow();
    if (rho) {
        l.text(" · ");
        l.var(5);
        follow();
    }
    const int b = l.E.x();
    const int w = previousQWidth;
    int qx = fx + (b - fx) / 2 - w / 2 - 3;
    if (w > 120 && b - fx < w)
        qx = fx + 3;
    l.at(qx, y - 14);
    l.var(1);
    l.bar(fx, l.E.x(), y + 8);
    l.at(std::max(b, l.E.x()), y);
}

// No. 2: kv = V̇ · √( Δp₀ · ρ over Δp · ρ₀ ).
void drawKv(Line& l)
{
    const int y = l.y;
    FormulaCanvas& c = l.c;
    l.at(FormulaRenderer::X0, y);
    if (l.symbol) {
        l.text("kv = ");
        c.DrawOverdotText(l.x(), y, u8("V"));
        l.text(" · ");
        c.DrawRootLarge(l.x(), y);
        const QPoint r = c.Pen();
        l.at(r.x() + 3, y - 14);
        c.DrawDelta(l.x(), y - 14, 14);
        l.subscripted("p", false, "0");
        l.text(" · ");
        l.italic("ρ");
        const int numEnd = l.x();
        l.at(r.x() + 3, y + 14);
        c.DrawDelta(l.x(), y + 14, 14);
        l.text("p · ");
        l.subscripted("ρ", true, "0");
        const int end = std::max(numEnd, l.E.x()) + 4;
        l.bar(r.x(), end, r.y());
        l.bar(r.x() + 3, end, y + 7);
        l.at(end, y);
        return;
    }
    l.var(0);
    l.text(" = ");
    l.var(1);
    l.text(" · ");
    c.DrawRootLarge(l.x(), y);
    const QPoint r = c.Pen();
    l.at(r.x() + 3, y - 14);
    l.text("1000");
    l.text(" · ");
    l.var(2);
    const int numEnd = l.E.x() + 4;
    l.bar(r.x(), numEnd, y - 18);
    l.bar(r.x() + 3, numEnd, r.y() + 26);
    l.at(r.x() + 3, r.y() + 30);
    l.var(3);
    l.text(" · ");
    l.text("999,1");
    const int denEnd = l.x() + 4;
    l.bar(r.x(), denEnd, y - 18);
    l.bar(r.x() + 3, denEnd, r.y() + 26);
    l.at(std::max(numEnd, denEnd), y);
}

// No. 4: kv_ges = kv₁ · kv₂ over √( kv₁² + kv₂² ).
void drawKvInSeries(Line& l)
{
    const int y = l.y;
    l.at(FormulaRenderer::X0, y);
    if (l.symbol)
        l.subscripted("kv", false, "ges");
    else
        l.var(0, u8("ges"));
    l.text(" = ");
    l.F = l.c.Pen();
    const int fx = l.F.x();
    l.at(fx + 10, y - 14);
    l.var(1);
    l.text(" · ");
    l.var(2);
    const int numEnd = l.x();
    l.at(fx, y + 17);
    l.c.DrawRootSmall(fx, y + 17);
    l.at(fx + 10, y + 13); // the radicand starts where the root ends
    l.var(l.symbol ? 1 : 3);
    l.sup(u'2');
    l.text(" + ");
    l.var(l.symbol ? 2 : 4);
    l.sup(u'2');
    const int barEnd = std::max(numEnd, l.x()) + 2;
    l.bar(fx, barEnd, y + 8);
    l.at(barEnd, y);
}

// No. 5: Δp = ( V̇ over kv )² · ρ · Δp₀ over ρ₀.
void drawPressureFromKv(Line& l)
{
    const int y = l.y;
    FormulaCanvas& c = l.c;
    l.at(FormulaRenderer::X0, y);
    if (l.symbol) {
        c.DrawDelta(l.x(), y, 14);
        l.text("p = ");
    } else {
        l.var(0);
        l.text(" = ");
    }
    c.DrawBracket(l.x(), y - 11, 1, false, 14);
    l.F = c.Pen();
    const int fx = l.F.x();
    l.at(fx + 3, y - 14);
    l.var(1);
    const int barEnd = l.x() + 5;
    l.at(fx + 2, y + 17);
    l.var(2);
    const int close = std::max(barEnd, l.symbol ? l.x() : l.fieldEnd());
    l.bar(fx, barEnd, y + 8);
    c.DrawBracket(close, y - 11, 1, true, 14);
    c.DrawSuperscript(l.x() + 3, y - 12, u'2');
    l.at(l.x(), y + 1);
    l.text(" · ");
    const int f2 = l.x();
    l.at(f2 + 3, y - 14);
    if (l.symbol) {
        l.italic("ρ");
        l.text(" · ");
        c.DrawDelta(l.x(), y - 14, 14);
        l.subscripted("p", false, "0");
    } else {
        l.var(3);
        l.text(" · ");
        l.text("1000");
    }
    const int bar2 = l.x() + 5;
    l.bar(f2, bar2, y + 8);
    if (l.symbol) {
        l.at(f2 + 15, y + 17);
        l.subscripted("ρ", true, "0");
    } else {
        const QString den = u8("999,1");
        c.TextOut(f2 + (bar2 - f2 - c.TextWidth(den)) / 2, y + 17, den);
    }
    l.at(std::max(bar2, l.x()), y);
}

// No. 6: Δp = Σζ · ρ · u² over 200.
void drawPressureFromZeta(Line& l)
{
    const int y = l.y;
    FormulaCanvas& c = l.c;
    l.at(FormulaRenderer::X0, y);
    if (l.symbol) {
        c.DrawDelta(l.x(), y, 14);
        l.text("p = ");
    } else {
        l.var(0);
        l.text(" = ");
    }
    l.at(l.x(), y);
    l.var(1);
    l.at(l.x(), y);
    l.text(" · ");
    l.F = c.Pen();
    const int fx = l.F.x();
    l.at(fx + 3, y - 14);
    l.var(2);
    l.at(l.x() + 3, y - 14);
    if (l.symbol) {
        l.text(" · u");
    } else {
        l.text(" · ");
        l.var(3);
    }
    l.sup(u'2');
    const int numEnd = l.x();
    l.bar(fx, numEnd, y + 8);
    const QString den = u8("200");
    const int dx = l.symbol ? fx + 5 : fx + (numEnd - fx - c.TextWidth(den)) / 2;
    c.TextOut(dx, y + 17, den);
    l.at(std::max(numEnd, l.x()), y);
}

// No. 8: f = 49,83 · [ ln( Tᵥ - Tᵢ over Tᵣ - Tᵢ ) over ( Tᵥ - Tᵣ ) ]ⁿ.
void drawRadiatorFactor(Line& l)
{
    const int y = l.y;
    FormulaCanvas& c = l.c;
    l.at(FormulaRenderer::X0, y);
    if (l.symbol)
        l.text("f = ");
    else {
        l.var(0);
        l.text(" = ");
    }
    l.text("49,83 · ");
    l.F = c.Pen();
    const int fx = l.F.x();
    c.DrawBracket(fx, y - 25, 2, false, 14);
    l.textAt(fx + 3, y - 22, "ln");
    const int ix = l.x() + 3;
    l.at(ix, y - 33);
    l.var(1);
    l.text(" - ");
    l.var(2);
    const int innerNum = l.x();
    l.at(ix, y - 12);
    l.var(3);
    l.text(" - ");
    l.var(l.symbol ? 2 : 4);
    const int innerDen = l.x();
    const int innerEnd = std::max(innerNum, innerDen) + 3;
    l.bar(ix, innerEnd, y - 14);
    l.bar(fx + 3, innerEnd, y + 8);
    l.at(fx + 3, y + 10);
    l.text("( ");
    l.var(l.symbol ? 1 : 5);
    l.text(" - ");
    l.var(l.symbol ? 3 : 6);
    l.text(" )");
    const int pen = std::max(l.x(), innerEnd);
    c.DrawBracket(pen + 8, y - 25, 2, true, 14);
    l.at(pen + 12, y - 32);
    if (l.symbol)
        l.text("n");
    else
        l.var(7);
    l.at(l.x(), y);
}

void drawLayout(DrawLayout layout, Line& l, const std::array<FieldPlace, 8>& previous)
{
    switch (layout) {
    case DrawLayout::VolumeFlow:
    case DrawLayout::MassFlow:
        drawFlow(l, layout == DrawLayout::VolumeFlow, previous[1].width);
        return;
    case DrawLayout::Kv:
        drawKv(l);
        return;
    case DrawLayout::KvInSeries:
        drawKvInSeries(l);
        return;
    case DrawLayout::PressureFromKv:
        drawPressureFromKv(l);
        return;
    case DrawLayout::PressureFromZeta:
        drawPressureFromZeta(l);
        return;
    case DrawLayout::RadiatorFactor:
        drawRadiatorFactor(l);
        return;
    }
}

// One line of the formula: the steps of its record, from the line's left end.
void drawLine(const std::vector<DrawStep>& steps, Line& l,
              const std::array<FieldPlace, 8>& previous)
{
    using Op = DrawStep::Op;
    l.at(FormulaRenderer::X0, l.y);
    for (const DrawStep& step : steps) {
        switch (step.op) {
        case Op::Text:
            l.text(step.text);
            break;
        case Op::Var:
            l.var(step.value, step.index);
            break;
        case Op::Power:
            l.sup(step.text.at(0));
            break;
        case Op::Pi:
            l.pi();
            break;
        case Op::Italic:
            l.italic(step.text);
            break;
        case Op::Subscripted:
            l.subscripted(step.text, step.italic, step.index);
            break;
        case Op::Delta:
            l.c.DrawDelta(l.x(), l.c.Pen().y(), 14);
            break;
        case Op::FractionStart:
            l.fractionStart(step.value);
            break;
        case Op::FractionEnd:
            l.fractionEnd(step.text, step.value);
            break;
        case Op::AfterNumerator:
            l.afterNumerator(step.value);
            break;
        case Op::RootStart:
            l.rootStart();
            break;
        case Op::RootEnd:
            l.rootEnd();
            break;
        case Op::Layout:
            drawLayout(DrawLayout(step.value), l, previous);
            break;
        }
    }
}

} // namespace

FormulaRenderer::FormulaRenderer()
{
    ResetFieldWidths();
}

const QImage& FormulaRenderer::Image() const
{
    if (m_image.isNull()) {
        m_image = QImage(QSize(ImageWidth, ImageHeight) * m_ratio, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(m_ratio);
        m_image.fill(kBackground);
    }
    return m_image;
}

void FormulaRenderer::SetDevicePixelRatio(qreal ratio)
{
    if (ratio <= 0 || ratio == m_ratio)
        return;
    m_ratio = ratio;
    m_image = QImage();
}

int FormulaRenderer::FieldHeight()
{
    return QFontMetrics(FormulaFonts::Tahoma(14)).height();
}

void FormulaRenderer::ResetFieldWidths()
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i].width = i == 0 ? FirstFieldWidth : 9;
}

int FormulaRenderer::DrawFormula(const FormulaVariables& set, bool symbolLine)
{
    // The canvas is made with the first formula; a new one lacks the symbol line.
    const bool fresh = m_image.isNull();
    Image();
    FormulaCanvas canvas(m_image, FormulaFonts::Tahoma(14));
    canvas.Widest = m_widest;
    const int lines = set.Rebuild || fresh ? 2 : 1;
    symbolLine = symbolLine || fresh;
    int y = SymbolLineY;
    for (int line = 0; line < lines; ++line) {
        if (!symbolLine)
            y += 80;
        canvas.Fill(QRect(0, y - 34, ImageWidth, 74), kBackground);
        const auto previous = m_fields;
        if (!symbolLine)
            m_valueLine = {};
        Line l(canvas, set, m_fields, m_valueLine, symbolLine, y);
        const FormulaInfo& formula = FormulaCatalogue::Formula(set.FormulaNumber);
        drawLine(symbolLine ? formula.symbolLine : formula.valueLine, l, previous);
        symbolLine = false;
    }
    const int widest = canvas.Widest;
    m_widest = NarrowWidth;
    return widest <= NarrowWidth ? widest + 2 : widest + 15;
}
