// A raster canvas with a pen, as the typeset formula and the legend draw: text is placed by
// its top-left corner and moves the pen to its right end; move-to and line-to draw
// one-pixel lines. Greek letters other than rho are drawn with line segments; rho is the
// italic Greek letter. Every glyph routine returns to the canvas's base font (Tahoma 14 for
// the formula, Tahoma 11 for the legend) and sizes its letters to it: italics at the base
// font's height, indices in a cell of 12/14 of it, 9/14 of it below the line's top.
//
// On an image with a device pixel ratio above 1 everything is drawn at the device's
// resolution: a one-pixel line covers one logical pixel, text is rasterised at full size.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>

namespace FormulaFonts {
// Tahoma with a character height of `pixels`.
QFont Tahoma(int pixels);
// Arial whose cell (ascent and descent) is at most `cellHeight` pixels high.
QFont ArialCell(int cellHeight);
// Arial italic with a character height of `pixels`: rho and the hexagon's corner dimension.
QFont ArialItalic(int pixels = 14);
} // namespace FormulaFonts

class FormulaCanvas {
public:
    FormulaCanvas(QImage& image, QFont baseFont);

    QPainter& Painter() { return m_painter; }
    QPoint Pen() const { return m_pen; }
    // The largest pen x seen (the image's right edge does not count).
    int Widest = 0;

    void SetFont(const QFont& font);
    void BaseFont() { SetFont(m_baseFont); }
    const QFont& Font() const { return m_font; }
    void SetTextColour(QColor colour) { m_textColour = colour; }
    int TextWidth(const QString& text) const;

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Line(int x1, int y1, int x2, int y2)
    {
        MoveTo(x1, y1);
        LineTo(x2, y2);
    }
    // Text with its top-left corner at (x, y) in the current font; the pen goes to its end.
    void TextOut(int x, int y, const QString& text);
    void Text(const QString& text) { TextOut(m_pen.x(), m_pen.y(), text); }
    void Fill(const QRect& rect, QColor colour);

    // The glyph routines; (x, y) is the top of the text line.
    void DrawOverdotText(int x, int y, const QString& text);
    void DrawOverdotSpan(int x1, int y, int x2, int y2);
    void DrawDelta(int x, int y, int h);
    void DrawPi(int x, int y);
    void DrawSigma(int x, int y);
    void DrawZeta(int x, int y);
    void DrawItalic(int x, int y, const QString& text);
    void DrawSuperscript(int x, int y, QChar c);
    // Returns the end point E (the pen afterwards).
    QPoint DrawSubscripted(int x, int y, const QString& base, bool italic, const QString& sub);
    void DrawRootSmall(int x, int y);
    void DrawRootLarge(int x, int y);
    // kind 1: a big round parenthesis "(" or ")" in Arial of cell height 3·e at (x, y − 3);
    // kind 2: a square bracket of lines, two pixels thick, from y to y + 4·e.
    void DrawBracket(int x, int y, int kind, bool right, int e);

private:
    void track(int x);
    int baseHeight() const { return m_baseFont.pixelSize(); }

    QImage& m_image;
    QPainter m_painter;
    QFont m_baseFont;
    QFont m_font;
    QColor m_textColour = Qt::black;
    QPoint m_pen;
    int m_logicalWidth = 0;
    bool m_hiDpi = false;
};
