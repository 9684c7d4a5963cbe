#include "shell/banner_rotation.h"

#include "support/qt_printers.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray bannerBytes(const QByteArray& languages, const QByteArray& link,
                       const QByteArray& picture)
{
    return char(languages.size()) + languages + char(link.size()) + link + picture;
}

TEST(BannerFile, HeaderGivesLanguagesLinkAndPicture)
{
    const auto file = ParseBannerFile(bannerBytes("de", "www.a.example", "GIF89a"));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->languages, "de");
    EXPECT_EQ(file->link, u"www.a.example");
    EXPECT_EQ(file->picture, "GIF89a");
}

TEST(BannerFile, CutOrLyingHeadersAreRefused)
{
    const QByteArray rows[] = {
        "", // empty
        "\x02"
        "d", // letters cut short
        "\x01"
        "d", // no link length
        "\x01"
        "d"
        "\x05"
        "www",  // link length beyond the file
        "\xff", // letters length beyond the file
    };
    for (const QByteArray& bytes : rows) {
        SCOPED_TRACE(bytes.toHex().toStdString());
        EXPECT_FALSE(ParseBannerFile(bytes));
    }
    // Random bytes never read outside the buffer.
    QByteArray noise(4096, '\0');
    for (int seed = 1; seed < 300; ++seed) {
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 131 + seed * 7919) ^ (seed * i));
        (void)ParseBannerFile(noise.left(seed));
    }
}

TEST(BannerFile, AHugeFileIsRefusedBySizeAndAMissingOneFails)
{
    QTemporaryDir dir;
    QFile big(dir.filePath(QStringLiteral("big.cc6")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(bannerBytes("d", "x", ""));
    ASSERT_TRUE(big.resize(100 * 1024 * 1024)); // sparse: nothing is read
    big.close();
    EXPECT_FALSE(ReadBannerFile(big.fileName()));
    EXPECT_FALSE(ReadBannerFile(dir.filePath(QStringLiteral("gone.cc6"))));
}

TEST(BannerFile, LanguageLettersAndExtensions)
{
    EXPECT_TRUE(BannerFitsLanguage("de", 1));
    EXPECT_FALSE(BannerFitsLanguage("e", 1));
    EXPECT_TRUE(BannerFitsLanguage("e", 2));
    // The translation table's numbers: French 3, Spanish 9.
    EXPECT_FALSE(BannerFitsLanguage("ds", 3));
    EXPECT_TRUE(BannerFitsLanguage("f", 3));
    EXPECT_FALSE(BannerFitsLanguage("df", 9));
    EXPECT_TRUE(BannerFitsLanguage("s", 9));
    // Polish by its own letter; a language without a letter shows every banner.
    EXPECT_FALSE(BannerFitsLanguage("de", 12));
    EXPECT_TRUE(BannerFitsLanguage("p", 12));
    EXPECT_TRUE(BannerFitsLanguage("", 4));
    EXPECT_EQ(BannerPictureKindOf(QStringLiteral("a.cc1")), BannerPictureKind::Bitmap);
    EXPECT_EQ(BannerPictureKindOf(QStringLiteral("a.CC5")), BannerPictureKind::Jpeg);
    EXPECT_EQ(BannerPictureKindOf(QStringLiteral("a.cc6")), BannerPictureKind::Gif);
    EXPECT_EQ(BannerPictureKindOf(QStringLiteral("a.gif")), BannerPictureKind::None);
}

TEST(BannerFile, TheListHoldsBannersByNameButNotTheirSharpPictures)
{
    QTemporaryDir dir;
    for (const char* name : {"banner2.cc5", "banner1@2x.cc1", "banner1.cc1", "banner3.CC6",
                             "banner3@2X.cc6", "banner2@2x.cc5", "notes.txt", "x@2x"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(ListBannerFiles(dir.path()),
              (QStringList{QStringLiteral("banner1.cc1"), QStringLiteral("banner2.cc5"),
                           QStringLiteral("banner3.CC6")}));
    EXPECT_FALSE(ListBannerFiles(dir.filePath(QStringLiteral("gone"))));
}

TEST(BannerRotation, ThreeBannersCycleInListOrder)
{
    BannerRotation rotation;
    std::vector<int> shown;
    for (int tick = 0; tick < 5; ++tick) {
        const auto step = rotation.Load(3, 3, [](int) { return true; });
        EXPECT_TRUE(step.startTimer);
        shown.push_back(step.shown);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 0, 1}));
}

TEST(BannerRotation, OneBannerRunsNoTimer)
{
    BannerRotation rotation;
    const auto step = rotation.Load(1, 1, [](int) { return true; });
    EXPECT_FALSE(step.startTimer);
    EXPECT_EQ(step.shown, 0);
}

TEST(BannerRotation, BannersThatFailAreSkipped)
{
    BannerRotation rotation;
    // Banner 1 is for another language or unreadable.
    auto show = [](int i) { return i != 1; };
    std::vector<int> shown;
    for (int tick = 0; tick < 4; ++tick)
        shown.push_back(rotation.Load(3, 3, show).shown);
    EXPECT_EQ(shown, (std::vector<int>{0, 2, 0, 2}));
    EXPECT_EQ(BannerRotation().Load(2, 2, [](int) { return false; }).shown, -1);
}

TEST(BannerRotation, CountIsStoredAndFewerFilesThanSeenAreMissing)
{
    const struct {
        std::optional<int> files;
        int stored;
        bool missing;
        std::optional<int> store;
    } rows[] = {
        {3, 0, false, 3},
        {3, 3, false, {}},
        {2, 3, true, {}},
        {std::nullopt, 2, true, {}},
        {std::nullopt, 0, false, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.files.value_or(-1));
        BannerRotation rotation;
        const auto step = rotation.Load(row.files, row.stored, [](int) { return true; });
        EXPECT_EQ(step.missingFiles, row.missing);
        EXPECT_EQ(step.storeCount, row.store);
    }
}

} // namespace
