// The bitmap banner's decoder: a small bitmap is read, a size no banner has is not.
#include "shell/banner_view.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// A 24-bit bitmap whose header claims `height` rows, with pixel data for two.
QByteArray bitmap(qint32 width, qint32 height)
{
    const QByteArray row = QByteArray(3 * width, '\x7f') + QByteArray((4 - 3 * width % 4) % 4, 0);
    const QByteArray pixels = row + row;
    QByteArray info(40, 0);
    qToLittleEndian<quint32>(40, info.data());
    qToLittleEndian<qint32>(width, info.data() + 4);
    qToLittleEndian<qint32>(height, info.data() + 8);
    qToLittleEndian<quint16>(1, info.data() + 12);
    qToLittleEndian<quint16>(24, info.data() + 14);
    QByteArray file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(54 + pixels.size()), file.data() + 2);
    qToLittleEndian<quint32>(54, file.data() + 10);
    return file + info + pixels;
}

TEST(BannerPicture, BitmapsOfBannerSizeOnly)
{
    const auto small = DecodeBannerPicture(BannerPictureKind::Bitmap, bitmap(4, 2), nullptr);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->size(), QSize(4, 2));
    // A header that claims millions of rows is refused before they are read.
    EXPECT_FALSE(DecodeBannerPicture(BannerPictureKind::Bitmap, bitmap(4, 2752514), nullptr));
}

} // namespace
