// The typeset formula img_formel: a symbol line with the formula in letters (y = 40) and a
// value line (y = 120) with the same layout, in which every variable is an entry field laid
// over the image exactly where its value stands. The renderer draws both lines and says
// where each field goes, how wide it is and whether it shows an italic letter; the page only
// moves its fields there.
#pragma once

#include "formula_model.h"

#include <QImage>
#include <QPoint>

#include <QLine>
#include <QRect>

#include <array>
#include <vector>

struct FieldPlace {
    QPoint pos;          // top-left of the field on the image
    int width = 9;       // pixels
    bool italic = false; // the field shows an italic letter (rho, corner dimension e)
};

// What the value line drew besides its fields, for checking that no field hides it: the
// bars of fractions and roots, and the boxes of the powers.
struct ValueLineLayout {
    std::vector<QLine> bars;
    std::vector<QRect> powers;
};

class FormulaRenderer {
public:
    static constexpr int ImageWidth = 1000;
    static constexpr int ImageHeight = 170;
    static constexpr int X0 = 20;
    static constexpr int SymbolLineY = 40;
    static constexpr int ValueLineY = 120;
    static constexpr int NarrowWidth = 350; // below this the box needs no scrolling
    static constexpr int FirstFieldWidth = 90;

    FormulaRenderer();

    // The image, all background until a formula is drawn: ImageWidth × ImageHeight logical
    // pixels at the device pixel ratio set last.
    const QImage& Image() const;
    // The screen's device pixel ratio; a new ratio starts a new image, and the next
    // DrawFormula draws both lines on it.
    void SetDevicePixelRatio(qreal ratio);
    qreal DevicePixelRatio() const { return m_ratio; }
    const std::array<FieldPlace, FormulaCatalogue::SlotCount>& Fields() const { return m_fields; }
    const ValueLineLayout& ValueLine() const { return m_valueLine; }
    // The height of a variable field: one line of Tahoma 14.
    static int FieldHeight();

    // Draws the formula of `set`: two lines when the set was rebuilt (Rebuild), else one;
    // the first is the symbol line when `symbolLine` holds, every other one the value line.
    // Returns the horizontal scroll range the formula needs: its widest x + 2, or + 15 when
    // that is beyond 350.
    int DrawFormula(const FormulaVariables& set, bool symbolLine);

    // Widths as a new formula starts: 90 for the first field, 9 for the others.
    void ResetFieldWidths();

private:
    // Made on first use: a start that never shows the formula page holds none of its 680 kB.
    mutable QImage m_image;
    qreal m_ratio = 1;
    std::array<FieldPlace, FormulaCatalogue::SlotCount> m_fields{};
    ValueLineLayout m_valueLine;
    int m_widest = NarrowWidth;
};
