// The banners below the pages: the banner files' header, the choice by language and the
// rotation through the banner folder. Reading and choosing only; pictures are decoded by the
// banner view.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A banner file: language letters and a link without scheme before the picture.
struct BannerFile {
    QByteArray languages; // "d" German, "e" English, "s" Spanish, "f" French, "p" Polish
    QString link;
    QByteArray picture; // the rest of the file
};

enum class BannerPictureKind { None, Bitmap, Jpeg, Gif };

// Larger files are refused before reading: a banner is a strip of 367 × 62 pixels.
inline constexpr qint64 kMaxBannerFileSize = 4 * 1024 * 1024;

// The header read from any bytes: nothing when a length points beyond the end.
std::optional<BannerFile> ParseBannerFile(const QByteArray& bytes);
// Reads a whole banner file; nothing when it is missing, unreadable or too large.
std::optional<BannerFile> ReadBannerFile(const QString& path);
// Whether a banner with these letters is shown in language `language` (German, English,
// Spanish, French and Polish each by its letter; every other language shows every banner).
bool BannerFitsLanguage(const QByteArray& letters, int language);
// ".cc1" bitmap, ".cc5" JPEG, ".cc6" GIF.
BannerPictureKind BannerPictureKindOf(const QString& fileName);
// The banner files of `folder` in the order of their names, without the twice as large
// "name@2x" pictures beside them; nothing when the folder does not exist.
std::optional<QStringList> ListBannerFiles(const QString& folder);

// The rotation position kept between the timer's ticks and the steps of one loading.
class BannerRotation {
public:
    struct Step {
        bool missingFiles = false;     // fewer files (or no folder) than ever seen
        std::optional<int> storeCount; // the new "BannerCount"
        bool startTimer = false;       // more than one banner
        int shown = -1;                // the banner shown, or -1
    };
    // One loading over `count` files (nullopt: no folder) with the stored "BannerCount";
    // `show` tries banner i and says whether it was shown.
    Step Load(std::optional<int> count, int bannerCount, const std::function<bool(int)>& show);
    int Tag() const { return m_tag; }
    // The next loading starts again with the first banner.
    void Restart() { m_tag = 0; }

private:
    int m_tag = 0;
};
