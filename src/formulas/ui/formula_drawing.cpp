#include "formulas/ui/formula_drawing.h"

#include <QPainter>

#include <cmath>

namespace {

struct Drawing {
    int number;
    const char* file;
};
constexpr Drawing kDrawings[] = {
    {9, "01_quadrat"},          {10, "02_rechteck"},       {11, "03_parallelogramm"},
    {12, "04_dreieck"},         {13, "05_trapez"},         {14, "06_kreis"},
    {15, "07_kreisring"},       {16, "07_kreisring1"},     {17, "07_kreisring2"},
    {18, "08_kreisausschnitt"}, {19, "09_kreisabschnitt"}, {20, "10_ellipse"},
    {21, "11_sechseck"},        {22, "11_sechseck"},       {23, "12_würfel"},
    {24, "13_prisma"},          {25, "14_zylinder"},       {26, "15_hohlzylinder"},
    {27, "16_pyramide"},        {28, "17_kegel"},          {29, "18_pyramidenstumpf"},
    {30, "19_kegelstumpf"},     {31, "20_kugel"},          {32, "21_kugelabschnitt"},
    {33, "22_kugelausschnitt"}, {34, "23_fass"},           {35, "24_kreisumfang"},
};

} // namespace

namespace FormulaDrawing {

QString FileName(int number)
{
    for (const Drawing& d : kDrawings)
        if (d.number == number)
            return QStringLiteral("zeichnungen\\") + QString::fromUtf8(d.file) +
                   QStringLiteral(".cc6");
    return {};
}

QImage DrawFitted(const QImage& picture, QSize size, qreal ratio)
{
    QImage image(size * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    if (picture.isNull() || size.isEmpty())
        return image;
    const double q = double(picture.height()) / picture.width();
    QSize fitted;
    if (double(size.height()) / size.width() >= q)
        fitted = QSize(size.width(), int(std::lround(size.width() * q)));
    else
        fitted = QSize(int(std::lround(size.height() / q)), size.height());
    if (fitted.isEmpty())
        return image;
    // Scaled once, straight to the device's pixels.
    QImage scaled = picture.scaled(fitted * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    painter.drawImage(
        QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2), scaled);
    return image;
}

} // namespace FormulaDrawing
