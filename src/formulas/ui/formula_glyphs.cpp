#include "formulas/ui/formula_glyphs.h"

#include <QFontMetrics>

#include <map>

namespace FormulaFonts {

QFont Tahoma(int pixels)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixels);
    return font;
}

QFont ArialCell(int cellHeight)
{
    // A cell height counts ascent and descent; the largest size that fits is taken once.
    static std::map<int, int> sizes;
    auto found = sizes.find(cellHeight);
    if (found == sizes.end()) {
        int pixels = cellHeight;
        for (; pixels > 4; --pixels) {
            QFont probe(QStringLiteral("Arial"));
            probe.setPixelSize(pixels);
            if (QFontMetrics(probe).height() <= cellHeight)
                break;
        }
        found = sizes.emplace(cellHeight, pixels).first;
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(found->second);
    return font;
}

QFont ArialItalic(int pixels)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setItalic(true);
    return font;
}

} // namespace FormulaFonts

FormulaCanvas::FormulaCanvas(QImage& image, QFont baseFont)
    : m_image(image), m_painter(&image), m_baseFont(std::move(baseFont)), m_font(m_baseFont),
      m_logicalWidth(int(image.deviceIndependentSize().width())),
      m_hiDpi(image.devicePixelRatio() > 1)
{
    m_painter.setFont(m_font);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void FormulaCanvas::track(int x)
{
    if (x != m_logicalWidth && x > Widest)
        Widest = x;
}

void FormulaCanvas::SetFont(const QFont& font)
{
    m_font = font;
    m_painter.setFont(font);
}

int FormulaCanvas::TextWidth(const QString& text) const
{
    return QFontMetrics(m_font).horizontalAdvance(text);
}

void FormulaCanvas::MoveTo(int x, int y)
{
    m_pen = QPoint(x, y);
    track(x);
}

void FormulaCanvas::LineTo(int x, int y)
{
    if (m_hiDpi) {
        // A one-pixel line as the 1× canvas draws it, covering whole logical pixels from
        // end to end, rasterised at the device's resolution.
        m_painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap));
        const QPointF half(0.5, 0.5);
        m_painter.drawLine(QPointF(m_pen) + half, QPointF(x, y) + half);
    } else {
        m_painter.setPen(QPen(Qt::black, 0));
        m_painter.drawLine(m_pen, QPoint(x, y));
    }
    MoveTo(x, y);
}

void FormulaCanvas::TextOut(int x, int y, const QString& text)
{
    const QFontMetrics metrics(m_font);
    m_painter.setPen(m_textColour);
    m_painter.drawText(QPoint(x, y + metrics.ascent()), text);
    MoveTo(x + metrics.horizontalAdvance(text), y);
}

void FormulaCanvas::Fill(const QRect& rect, QColor colour)
{
    m_painter.fillRect(rect, colour);
}

void FormulaCanvas::DrawOverdotText(int x, int y, const QString& text)
{
    TextOut(x, y, text);
    const QPoint end = m_pen;
    const int m = x + (end.x() - x) / 2;
    Line(m - 1, y - 2, m + 1, y - 2);
    Line(m - 1, y - 1, m + 1, y - 1);
    MoveTo(end.x(), end.y());
}

void FormulaCanvas::DrawOverdotSpan(int x1, int y, int x2, int y2)
{
    const int m = x1 + (x2 - x1) / 2;
    Line(m - 1, y - 2, m + 1, y - 2);
    Line(m - 1, y - 1, m + 1, y - 1);
    MoveTo(x2, y2);
}

void FormulaCanvas::DrawDelta(int x, int y, int h)
{
    MoveTo(x, y + h - 1);
    LineTo(x + 3, y + 1);
    LineTo(x + 6, y + h - 1);
    LineTo(x, y + h - 1);
    MoveTo(x + 10, y);
}

void FormulaCanvas::DrawPi(int x, int y)
{
    MoveTo(x, y + 6);
    LineTo(x + 2, y + 5);
    LineTo(x + 12, y + 5);
    MoveTo(x + 4, y + 5);
    LineTo(x + 4, y + 12);
    LineTo(x + 2, y + 14);
    MoveTo(x + 8, y + 5);
    LineTo(x + 8, y + 11);
    LineTo(x + 10, y + 14);
    MoveTo(x + 12, y);
}

void FormulaCanvas::DrawSigma(int x, int y)
{
    Line(x, y - 1, x + 12, y - 1);
    MoveTo(x, y - 1);
    LineTo(x + 6, y + 8);
    LineTo(x, y + 17);
    LineTo(x + 12, y + 17);
    MoveTo(x + 12, y - 1);
}

void FormulaCanvas::DrawZeta(int x, int y)
{
    MoveTo(x + 2, y + 2);
    LineTo(x + 4, y + 3);
    LineTo(x + 7, y + 3);
    MoveTo(x + 7, y + 4);
    LineTo(x + 5, y + 4);
    LineTo(x + 4, y + 5);
    LineTo(x + 2, y + 7);
    LineTo(x + 2, y + 13);
    LineTo(x + 4, y + 14);
    LineTo(x + 7, y + 14);
    LineTo(x + 7, y + 16);
    LineTo(x + 2, y + 16);
    MoveTo(x + 9, y);
}

void FormulaCanvas::DrawItalic(int x, int y, const QString& text)
{
    SetFont(FormulaFonts::ArialItalic(baseHeight()));
    TextOut(x, y, text);
    BaseFont();
}

void FormulaCanvas::DrawSuperscript(int x, int y, QChar c)
{
    SetFont(FormulaFonts::ArialCell(12));
    TextOut(x - 1, y - 2, QString(c));
    BaseFont();
    MoveTo(m_pen.x(), y);
}

QPoint FormulaCanvas::DrawSubscripted(int x, int y, const QString& base, bool italic,
                                      const QString& sub)
{
    if (italic)
        DrawItalic(x, y, base);
    else
        TextOut(x, y, base);
    // Tahoma 14 takes its index in a 12-pixel cell 9 pixels down; smaller lines scale it.
    const int h = baseHeight();
    SetFont(FormulaFonts::ArialCell((12 * h + 7) / 14));
    TextOut(m_pen.x() + (italic ? 4 : 1), y + (9 * h + 7) / 14, sub);
    BaseFont();
    MoveTo(m_pen.x(), y);
    return m_pen;
}

void FormulaCanvas::DrawRootSmall(int x, int y)
{
    LineTo(x + 2, y);
    LineTo(x + 6, y + 11);
    LineTo(x + 10, y - 7);
}

void FormulaCanvas::DrawRootLarge(int x, int y)
{
    LineTo(x + 3, y);
    LineTo(x + 9, y + 31);
    LineTo(x + 15, y - 18);
}

void FormulaCanvas::DrawBracket(int x, int y, int kind, bool right, int e)
{
    if (kind == 1) {
        SetFont(FormulaFonts::ArialCell(3 * e));
        TextOut(x, y - 3, right ? QStringLiteral(")") : QStringLiteral("("));
        BaseFont();
        return;
    }
    // Two pixels thick, with serifs of five pixels pointing inwards.
    const int bottom = y + 4 * e;
    const int inward = right ? -5 : 5;
    for (int d = 0; d < 2; ++d) {
        const int line = right ? x - d : x + d;
        Line(line, y, line, bottom);
        Line(line, y + d, line + inward, y + d);
        Line(line, bottom - d, line + inward, bottom - d);
    }
    MoveTo(x + (right ? 1 : 2), y);
}
