// Draws the pictures of the area and volume formulas and writes them as GIF files:
//   make_drawings DIR   →   DIR/zeichnungen/01_quadrat.cc6 … 24_kreisumfang.cc6
// Each shape carries the letters of its formula's variables, so that the picture, the
// typeset formula and the legend name the same lengths.
#include "formulas/ui/formula_drawing.h"
#include "gif_writer.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 200;
const QColor kOutline(0x20, 0x20, 0x20);
const QColor kFill(0xC6, 0xDC, 0xF2);
const QColor kDimension(0xB0, 0x10, 0x10);
const QColor kLetter(0x10, 0x20, 0x90);

QList<QRgb> palette()
{
    // Ramps from white to each colour of the drawings: smooth edges survive the GIF.
    QList<QRgb> colours;
    for (const QColor& c : {kOutline, kFill.darker(130), kDimension, kLetter})
        for (int i = 0; i < 16; ++i) {
            const double t = i / 15.0;
            colours.append(qRgb(int(255 + (c.red() - 255) * t), int(255 + (c.green() - 255) * t),
                                int(255 + (c.blue() - 255) * t)));
        }
    for (int i = 0; i < 16; ++i) {
        const double t = i / 15.0;
        colours.append(qRgb(int(kFill.red() + (kOutline.red() - kFill.red()) * t),
                            int(kFill.green() + (kOutline.green() - kFill.green()) * t),
                            int(kFill.blue() + (kOutline.blue() - kFill.blue()) * t)));
    }
    colours.append(kFill.rgb());
    return colours;
}

class Sheet {
public:
    Sheet() : image(kWidth, kHeight, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        p.begin(&image);
        p.setRenderHint(QPainter::Antialiasing);
    }

    QImage image;
    QPainter p;

    void shape(const QPainterPath& path, bool filled = true)
    {
        p.setPen(QPen(kOutline, 2));
        p.setBrush(filled ? QBrush(kFill) : Qt::NoBrush);
        p.drawPath(path);
    }
    void hidden(QPointF a, QPointF b)
    {
        p.setPen(QPen(kOutline, 1.2, Qt::DashLine));
        p.drawLine(a, b);
    }
    void hiddenPath(const QPainterPath& path)
    {
        p.setPen(QPen(kOutline, 1.2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    // A dimension line from a to b with arrowheads and its letter beside the middle.
    void dimension(QPointF a, QPointF b, const QString& letter, QPointF letterOffset,
                   const QString& index = {})
    {
        p.setPen(QPen(kDimension, 1.3));
        p.drawLine(a, b);
        arrow(b, a);
        arrow(a, b);
        this->letter((a + b) / 2 + letterOffset, letter, index);
    }
    void letter(QPointF centre, const QString& text, const QString& index = {})
    {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(17);
        font.setItalic(true);
        p.setFont(font);
        p.setPen(kLetter);
        const QRectF box(centre - QPointF(20, 11), QSizeF(40, 22));
        if (index.isEmpty()) {
            p.drawText(box, Qt::AlignCenter, text);
            return;
        }
        const double w = QFontMetricsF(font).horizontalAdvance(text);
        p.drawText(QPointF(centre.x() - w / 2 - 3, centre.y() + 6), text);
        QFont small = font;
        small.setPixelSize(11);
        small.setItalic(false);
        p.setFont(small);
        p.drawText(QPointF(centre.x() + w / 2 - 2, centre.y() + 10), index);
    }

private:
    void arrow(QPointF from, QPointF tip)
    {
        const QPointF d = tip - from;
        const double length = std::hypot(d.x(), d.y());
        if (length < 1)
            return;
        const QPointF u = d / length;
        const QPointF n(-u.y(), u.x());
        QPainterPath head;
        head.moveTo(tip);
        head.lineTo(tip - u * 8 + n * 3);
        head.lineTo(tip - u * 8 - n * 3);
        head.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kDimension);
        p.drawPath(head);
    }
};

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath ellipse(QPointF centre, double rx, double ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPointF polar(QPointF centre, double r, double degrees)
{
    const double a = degrees * std::numbers::pi / 180;
    return centre + QPointF(r * std::cos(a), -r * std::sin(a));
}

// Areas.
void square(Sheet& s)
{
    s.shape(polygon({{60, 30}, {180, 30}, {180, 150}, {60, 150}}));
    s.letter({120, 90}, QStringLiteral("A"));
    s.dimension({60, 170}, {180, 170}, QStringLiteral("a"), {0, 14});
}

void rectangle(Sheet& s)
{
    s.shape(polygon({{40, 45}, {190, 45}, {190, 145}, {40, 145}}));
    s.letter({115, 95}, QStringLiteral("A"));
    s.dimension({40, 165}, {190, 165}, QStringLiteral("a"), {0, 14});
    s.dimension({210, 45}, {210, 145}, QStringLiteral("b"), {16, 0});
}

void parallelogram(Sheet& s)
{
    s.shape(polygon({{30, 150}, {160, 150}, {210, 50}, {80, 50}}));
    s.hidden({80, 50}, {80, 150});
    s.letter({130, 100}, QStringLiteral("A"));
    s.dimension({30, 170}, {160, 170}, QStringLiteral("a"), {0, 14});
    s.dimension({60, 50}, {60, 150}, QStringLiteral("h"), {-14, 0});
}

void triangle(Sheet& s)
{
    s.shape(polygon({{30, 150}, {210, 150}, {90, 40}}));
    s.hidden({90, 40}, {90, 150});
    s.letter({120, 115}, QStringLiteral("A"));
    s.dimension({30, 170}, {210, 170}, QStringLiteral("g"), {0, 14});
    s.dimension({70, 40}, {70, 150}, QStringLiteral("h"), {-14, 0});
}

void trapezoid(Sheet& s)
{
    s.shape(polygon({{25, 150}, {215, 150}, {165, 55}, {75, 55}}));
    s.hidden({75, 55}, {75, 150});
    s.letter({120, 110}, QStringLiteral("A"));
    s.dimension({25, 170}, {215, 170}, QStringLiteral("a"), {0, 14});
    s.dimension({75, 35}, {165, 35}, QStringLiteral("b"), {0, -14});
    s.dimension({55, 55}, {55, 150}, QStringLiteral("h"), {-14, 0});
}

void circle(Sheet& s)
{
    const QPointF c(120, 100);
    s.shape(ellipse(c, 75, 75));
    s.dimension(c, polar(c, 75, 30), QStringLiteral("r"), {-4, 14});
    s.letter({100, 130}, QStringLiteral("A"));
}

// The circular ring: the whole disc (0), the inner disc (1) or the ring itself (2) is filled.
void ring(Sheet& s, int filled)
{
    const QPointF c(120, 95);
    QPainterPath outer = ellipse(c, 78, 78);
    QPainterPath inner = ellipse(c, 42, 42);
    s.shape(filled == 2 ? outer.subtracted(inner) : outer, filled != 1);
    s.shape(inner, filled == 1);
    if (filled != 1)
        s.dimension({42, 185}, {198, 185}, QStringLiteral("D"), {0, -13});
    if (filled != 0)
        s.dimension(c - QPointF(42, 0), c + QPointF(42, 0), QStringLiteral("d"), {0, -12});
    if (filled == 0)
        s.letter(c + QPointF(0, -56), QStringLiteral("A"), QStringLiteral("D"));
    if (filled == 1)
        s.letter(c + QPointF(0, 22), QStringLiteral("A"), QStringLiteral("d"));
    if (filled == 2)
        s.letter(c + QPointF(0, -58), QStringLiteral("A"));
}

void sector(Sheet& s)
{
    const QPointF c(120, 108);
    const double r = 82;
    s.hiddenPath(ellipse(c, r, r));
    QPainterPath path;
    path.moveTo(c);
    path.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 50, 80);
    path.closeSubpath();
    s.shape(path);
    s.letter(polar(c, r + 12, 90), QStringLiteral("b"));
    s.dimension(c - QPointF(r, 0), c + QPointF(r, 0), QStringLiteral("d"), {0, 13});
    s.letter(polar(c, 50, 90), QStringLiteral("A"));
}

void segment(Sheet& s)
{
    const QPointF c(120, 110);
    const double r = 80;
    s.hiddenPath(ellipse(c, r, r));
    const QPointF left = polar(c, r, 150);
    const QPointF right = polar(c, r, 30);
    QPainterPath path;
    path.moveTo(right);
    path.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 30, 120);
    path.closeSubpath();
    s.shape(path);
    s.dimension(left, right, QStringLiteral("s"), {0, 13});
    s.dimension({c.x(), left.y()}, {c.x(), c.y() - r}, QStringLiteral("h"), {12, 0});
    s.letter(polar(c, r + 12, 118), QStringLiteral("b"));
    s.dimension({c.x() - r, c.y() + r + 6}, {c.x() + r, c.y() + r + 6}, QStringLiteral("d"),
                {0, -12});
}

void ellipseShape(Sheet& s)
{
    const QPointF c(120, 100);
    s.shape(ellipse(c, 100, 60));
    s.dimension(c - QPointF(100, 0), c + QPointF(100, 0), QStringLiteral("D"), {30, -12});
    s.dimension(c - QPointF(0, 60), c + QPointF(0, 60), QStringLiteral("d"), {12, 30});
    s.letter(c + QPointF(-45, 25), QStringLiteral("A"));
}

void hexagon(Sheet& s)
{
    const QPointF c(108, 95);
    const double r = 72;
    QPainterPath path;
    for (int i = 0; i < 6; ++i) {
        const QPointF corner = polar(c, r, 60 * i);
        i == 0 ? path.moveTo(corner) : path.lineTo(corner);
    }
    path.closeSubpath();
    s.shape(path);
    const double flats = r * std::sqrt(3.0) / 2;
    s.dimension(c - QPointF(r, 0), c + QPointF(r, 0), QStringLiteral("e"), {0, -12});
    s.dimension({c.x() + r + 14, c.y() - flats}, {c.x() + r + 14, c.y() + flats},
                QStringLiteral("SW"), {19, 0});
}

void circumference(Sheet& s)
{
    const QPointF c(120, 100);
    s.p.setPen(QPen(kOutline, 4));
    s.p.setBrush(Qt::NoBrush);
    s.p.drawEllipse(c, 75, 75);
    s.dimension(c, polar(c, 75, 210), QStringLiteral("r"), {0, -12});
    s.letter(polar(c, 90, 45), QStringLiteral("U"));
}

// Volumes, in an oblique view: depth goes up and to the right.
const QPointF kDepth(45, -35);

void box(Sheet& s, double w, double h, bool cube)
{
    const QPointF a(35, 175);
    const QPointF b = a + QPointF(w, 0);
    const QPointF top = a - QPointF(0, h);
    s.shape(polygon({a, b, b - QPointF(0, h), top}));
    s.shape(polygon({top, b - QPointF(0, h), b - QPointF(0, h) + kDepth, top + kDepth}));
    s.shape(polygon({b, b + kDepth, b - QPointF(0, h) + kDepth, b - QPointF(0, h)}));
    s.hidden(a, a + kDepth);
    s.hidden(a + kDepth, b + kDepth);
    s.hidden(a + kDepth, top + kDepth);
    s.dimension(a + QPointF(0, 14), b + QPointF(0, 14), QStringLiteral("a"), {0, 0});
    s.dimension(b + QPointF(14, 8), b + kDepth + QPointF(14, 8),
                cube ? QStringLiteral("a") : QStringLiteral("b"), {10, 10});
    if (!cube)
        s.dimension(a - QPointF(14, 0), top - QPointF(14, 0), QStringLiteral("h"), {-12, 0});
}

// A round body standing on an ellipse: the outline between the bottom radius rb and the top
// radius rt (0 for a point), height h.
void roundBody(Sheet& s, double rb, double rt, double h, double bulge = 0)
{
    const double ry = 0.3;
    const QPointF bottom(120, 165);
    const QPointF top(120, 165 - h);
    QPainterPath body;
    body.moveTo(bottom + QPointF(-rb, 0));
    if (bulge > 0)
        body.quadTo(QPointF(bottom.x() - rb - bulge, (bottom.y() + top.y()) / 2),
                    top + QPointF(-rt, 0));
    else
        body.lineTo(top + QPointF(-rt, 0));
    if (rt > 0)
        body.arcTo(QRectF(top.x() - rt, top.y() - rt * ry, 2 * rt, 2 * rt * ry), 180, 180);
    if (bulge > 0)
        body.quadTo(QPointF(bottom.x() + rb + bulge, (bottom.y() + top.y()) / 2),
                    bottom + QPointF(rb, 0));
    else
        body.lineTo(bottom + QPointF(rb, 0));
    body.arcTo(QRectF(bottom.x() - rb, bottom.y() - rb * ry, 2 * rb, 2 * rb * ry), 0, -180);
    body.closeSubpath();
    s.shape(body);
    if (rt > 0)
        s.shape(ellipse(top, rt, rt * ry));
    QPainterPath back;
    back.arcMoveTo(QRectF(bottom.x() - rb, bottom.y() - rb * ry, 2 * rb, 2 * rb * ry), 0);
    back.arcTo(QRectF(bottom.x() - rb, bottom.y() - rb * ry, 2 * rb, 2 * rb * ry), 0, 180);
    s.hiddenPath(back);
}

void cylinder(Sheet& s)
{
    roundBody(s, 60, 60, 120);
    s.dimension({60, 45}, {180, 45}, QStringLiteral("d"), {0, -14});
    s.dimension({200, 45}, {200, 165}, QStringLiteral("h"), {14, 0});
}

void hollowCylinder(Sheet& s)
{
    roundBody(s, 65, 65, 115);
    s.shape(ellipse({120, 50}, 35, 35 * 0.3), false);
    s.dimension({55, 22}, {185, 22}, QStringLiteral("D"), {0, -12});
    s.dimension({85, 50}, {155, 50}, QStringLiteral("d"), {0, 13});
    s.dimension({205, 50}, {205, 165}, QStringLiteral("h"), {14, 0});
}

void pyramid(Sheet& s)
{
    const QPointF a(40, 175);
    const QPointF b(170, 175);
    const QPointF c = b + kDepth;
    const QPointF d = a + kDepth;
    const QPointF apex = (a + c) / 2 - QPointF(0, 125);
    s.shape(polygon({a, b, apex}));
    s.shape(polygon({b, c, apex}));
    s.hidden(a, d);
    s.hidden(d, c);
    s.hidden(d, apex);
    s.hidden(apex, (a + c) / 2);
    s.dimension(a + QPointF(0, 14), b + QPointF(0, 14), QStringLiteral("a"), {0, 0});
    s.dimension(b + QPointF(14, 8), c + QPointF(14, 8), QStringLiteral("b"), {10, 10});
    s.letter(apex + QPointF(-12, 70), QStringLiteral("h"));
}

void cone(Sheet& s)
{
    roundBody(s, 70, 0, 130);
    s.hidden({120, 35}, {120, 165});
    s.dimension({50, 190}, {190, 190}, QStringLiteral("d"), {-82, -4});
    s.letter({132, 110}, QStringLiteral("h"));
}

void pyramidFrustum(Sheet& s)
{
    const QPointF a(35, 175);
    const QPointF b(175, 175);
    const QPointF c = b + kDepth;
    const QPointF d = a + kDepth;
    const QPointF centre = (a + c) / 2;
    const auto top = [&](QPointF corner) {
        return centre + (corner - centre) * 0.45 - QPointF(0, 95);
    };
    s.shape(polygon({a, b, top(b), top(a)}));
    s.shape(polygon({b, c, top(c), top(b)}));
    s.shape(polygon({top(a), top(b), top(c), top(d)}));
    s.hidden(a, d);
    s.hidden(d, c);
    s.hidden(d, top(d));
    s.letter((top(a) + top(c)) / 2, QStringLiteral("A"), QStringLiteral("2"));
    s.letter(centre + QPointF(0, 8), QStringLiteral("A"), QStringLiteral("1"));
    s.dimension({215, 80}, {215, 175}, QStringLiteral("h"), {12, 0});
}

void coneFrustum(Sheet& s)
{
    roundBody(s, 75, 38, 110);
    s.dimension({82, 28}, {158, 28}, QStringLiteral("d"), {0, -12});
    s.dimension({45, 190}, {195, 190}, QStringLiteral("D"), {-87, -4});
    s.dimension({210, 55}, {210, 165}, QStringLiteral("h"), {12, 0});
}

void sphere(Sheet& s)
{
    const QPointF c(120, 100);
    s.shape(ellipse(c, 80, 80));
    s.hiddenPath(ellipse(c, 80, 22));
    s.dimension(c - QPointF(80, 0), c + QPointF(80, 0), QStringLiteral("d"), {0, -13});
}

// A spherical cap (the sector adds the cone to the centre).
void sphereCap(Sheet& s, bool sector)
{
    const QPointF c(120, 115);
    const double r = 75;
    s.hiddenPath(ellipse(c, r, r));
    const double capHeight = 38;
    const double y = c.y() - r + capHeight;
    const double half = std::sqrt(r * r - (r - capHeight) * (r - capHeight));
    QPainterPath cap;
    cap.moveTo(c.x() - half, y);
    const double start = std::asin((r - capHeight) / r) * 180 / std::numbers::pi;
    cap.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180 - start, -(180 - 2 * start));
    if (sector)
        cap.lineTo(c);
    cap.closeSubpath();
    s.shape(cap);
    s.hiddenPath(ellipse({c.x(), y}, half, half * 0.25));
    s.dimension({c.x() + r + 14, c.y() - r}, {c.x() + r + 14, y}, QStringLiteral("h"), {12, 0});
    s.dimension({c.x() - r, c.y() + r + 8}, {c.x() + r, c.y() + r + 8}, QStringLiteral("d"),
                {0, -12});
}

void barrel(Sheet& s)
{
    roundBody(s, 50, 50, 130, 25);
    s.hidden({120 - 68, 100}, {120 + 68, 100});
    s.dimension({70, 190}, {170, 190}, QStringLiteral("d"), {-62, -4});
    s.letter({120, 88}, QStringLiteral("D"));
    s.dimension({205, 35}, {205, 165}, QStringLiteral("h"), {12, 0});
}

struct Picture {
    int number;
    std::function<void(Sheet&)> draw;
};

const Picture kPictures[] = {
    {9, square},
    {10, rectangle},
    {11, parallelogram},
    {12, triangle},
    {13, trapezoid},
    {14, circle},
    {15, [](Sheet& s) { ring(s, 0); }},
    {16, [](Sheet& s) { ring(s, 1); }},
    {17, [](Sheet& s) { ring(s, 2); }},
    {18, sector},
    {19, segment},
    {20, ellipseShape},
    {21, hexagon},
    {23, [](Sheet& s) { box(s, 120, 120, true); }},
    {24, [](Sheet& s) { box(s, 140, 90, false); }},
    {25, cylinder},
    {26, hollowCylinder},
    {27, pyramid},
    {28, cone},
    {29, pyramidFrustum},
    {30, coneFrustum},
    {31, sphere},
    {32, [](Sheet& s) { sphereCap(s, false); }},
    {33, [](Sheet& s) { sphereCap(s, true); }},
    {34, barrel},
    {35, circumference},
};

} // namespace

int main(int argc, char** argv)
{
    // Letters need fonts, fonts need a platform: the one without a screen will do.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: make_drawings DIR\n", stderr);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.filePath(QStringLiteral("zeichnungen")));
    const QList<QRgb> colours = palette();
    for (const Picture& picture : kPictures) {
        Sheet sheet;
        picture.draw(sheet);
        sheet.p.end();
        const QString name = FormulaDrawing::FileName(picture.number).replace(u'\\', u'/');
        QFile file(dir.filePath(name));
        const QByteArray gif = WriteGif(sheet.image, colours);
        if (gif.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(gif) != gif.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
