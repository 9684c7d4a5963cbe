#include "drawings/gif_writer.h"
#include "formulas/ui/formula_drawing.h"
#include "platform/modules/picture_codecs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray smallGif()
{
    QImage picture(6, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(1, 2, qRgb(255, 0, 0));
    picture.setPixel(5, 3, qRgb(0, 0, 255));
    return WriteGif(picture, {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 0, 255)});
}

TEST(FormulaDrawing, ReadsWhatTheWriterWrote)
{
    const auto picture = ReadGifPicture(smallGif());
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(6, 4));
    EXPECT_EQ(picture->pixel(1, 2), qRgb(255, 0, 0));
    EXPECT_EQ(picture->pixel(5, 3), qRgb(0, 0, 255));
    EXPECT_EQ(picture->pixel(0, 0), qRgb(255, 255, 255));
}

// Cut, bent and invented bytes end in "no picture" or in a picture, never in a crash or a
// read past the bytes (run under a memory checker to see the second).
TEST(FormulaDrawing, SurvivesAnyBytes)
{
    const QByteArray gif = smallGif();
    for (qsizetype n = 0; n + 3 < gif.size(); ++n)
        EXPECT_FALSE(ReadGifPicture(gif.left(n))) << n;

    QByteArray huge = gif;
    huge[6] = char(0xFF); // screen width 65535
    huge[7] = char(0xFF);
    EXPECT_FALSE(ReadGifPicture(huge));

    std::mt19937 random(11);
    for (int run = 0; run < 2000; ++run) {
        QByteArray bent = gif;
        for (int i = 0; i < 1 + run % 6; ++i)
            bent[qsizetype(random() % bent.size())] = char(random());
        if (run % 3 == 0)
            bent = bent.left(qsizetype(random() % bent.size()));
        ReadGifPicture(bent);
    }
    QByteArray noise(300, '\0');
    for (int run = 0; run < 200; ++run) {
        for (char& c : noise)
            c = char(random());
        noise.replace(0, 6, "GIF89a");
        ReadGifPicture(noise);
    }
}

TEST(FormulaDrawing, FittedKeepsProportionsAndCentres)
{
    QImage wide(40, 10, QImage::Format_RGB32);
    wide.fill(Qt::black);
    const QImage fitted = FormulaDrawing::DrawFitted(wide, QSize(21, 30));
    // 21 wide and round(21 · 10 / 40) = 5 high, at y = (30 − 5) / 2 = 12.
    EXPECT_EQ(fitted.size(), QSize(21, 30));
    EXPECT_EQ(fitted.pixel(10, 11), qRgb(255, 255, 255));
    EXPECT_EQ(qGray(fitted.pixel(10, 12)), 0);
    EXPECT_EQ(qGray(fitted.pixel(10, 16)), 0);
    EXPECT_EQ(fitted.pixel(10, 17), qRgb(255, 255, 255));
    // At two device pixels to a pixel: the same picture with twice the pixels.
    const QImage sharp = FormulaDrawing::DrawFitted(wide, QSize(21, 30), 2);
    EXPECT_EQ(sharp.size(), QSize(42, 60));
    EXPECT_EQ(sharp.devicePixelRatio(), 2);
    EXPECT_EQ(sharp.pixel(20, 23), qRgb(255, 255, 255));
    EXPECT_EQ(qGray(sharp.pixel(20, 24)), 0);
    EXPECT_EQ(qGray(sharp.pixel(20, 33)), 0);
    EXPECT_EQ(sharp.pixel(20, 34), qRgb(255, 255, 255));
}

TEST(FormulaDrawing, EveryAreaAndVolumeHasItsDrawing)
{
    const QDir dir(QStringLiteral(QUORVANTA_PROGRAM_DIR));
    for (int number = 0; number < 36; ++number) {
        const QString name = FormulaDrawing::FileName(number);
        SCOPED_TRACE(number);
        EXPECT_EQ(name.isEmpty(), number <= 8);
        if (name.isEmpty())
            continue;
        QFile file(dir.filePath(QString(name).replace(u'\\', u'/')));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const auto picture = ReadGifPicture(file.readAll());
        ASSERT_TRUE(picture);
        EXPECT_GT(picture->width(), 100);
    }
    EXPECT_EQ(FormulaDrawing::FileName(21), FormulaDrawing::FileName(22));
    EXPECT_EQ(FormulaDrawing::FileName(23), u"zeichnungen\\12_würfel.cc6");
}

} // namespace
