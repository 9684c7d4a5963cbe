#include "shell/banner_rotation.h"

#include "i18n/translation_table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

std::optional<BannerFile> ParseBannerFile(const QByteArray& bytes)
{
    qsizetype at = 0;
    auto field = [&]() -> std::optional<QByteArray> {
        if (at >= bytes.size())
            return std::nullopt;
        const qsizetype length = quint8(bytes[at++]);
        if (length > bytes.size() - at)
            return std::nullopt;
        const QByteArray text = bytes.mid(at, length);
        at += length;
        return text;
    };
    const auto languages = field();
    if (!languages)
        return std::nullopt;
    const auto link = field();
    if (!link)
        return std::nullopt;
    return BannerFile{*languages, QString::fromLatin1(*link), bytes.mid(at)};
}

std::optional<BannerFile> ReadBannerFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxBannerFileSize)
        return std::nullopt;
    return ParseBannerFile(file.readAll());
}

bool BannerFitsLanguage(const QByteArray& letters, int language)
{
    // The translation table's language numbers. Polish has banners of its own: shown every
    // banner, it would show the German ones too. The other languages show every banner.
    switch (language) {
    case LanguageGerman:
        return letters.contains('d');
    case LanguageEnglish:
        return letters.contains('e');
    case LanguageFrench:
        return letters.contains('f');
    case LanguageSpanish:
        return letters.contains('s');
    case LanguagePolish:
        return letters.contains('p');
    default:
        return true;
    }
}

BannerPictureKind BannerPictureKindOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"cc1")
        return BannerPictureKind::Bitmap;
    if (suffix == u"cc5")
        return BannerPictureKind::Jpeg;
    if (suffix == u"cc6")
        return BannerPictureKind::Gif;
    return BannerPictureKind::None;
}

std::optional<QStringList> ListBannerFiles(const QString& folder)
{
    const QDir dir(folder);
    if (!dir.exists())
        return std::nullopt;
    // The suffixes are compared here rather than given to QDir as wildcards: those would be
    // compiled to regular expressions, and load that library, a second after every start.
    // A banner's twice as large picture for sharp screens ("banner1@2x.cc1") is shown in its
    // place, never as a banner of its own.
    QStringList names;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Unsorted)) {
        if ((name.endsWith(u".cc1", Qt::CaseInsensitive) ||
             name.endsWith(u".cc5", Qt::CaseInsensitive) ||
             name.endsWith(u".cc6", Qt::CaseInsensitive)) &&
            !name.chopped(4).endsWith(u"@2x", Qt::CaseInsensitive))
            names.append(name);
    }
    // By name, as the program's home platform lists them: the rotation runs in the same order
    // on every file system, and a language's banners, named alike, follow one another.
    names.sort();
    return names;
}

BannerRotation::Step BannerRotation::Load(std::optional<int> count, int bannerCount,
                                          const std::function<bool(int)>& show)
{
    Step step;
    const int n = count.value_or(0);
    // A missing folder counts as no files: the message comes once banners were ever seen, so a
    // program folder that never had banners starts quietly.
    step.missingFiles = n < bannerCount;
    if (count && bannerCount < n)
        step.storeCount = n;
    if (n < m_tag)
        m_tag = 0;
    if (n > 1) {
        step.startTimer = true;
        m_tag = m_tag == n ? 0 : m_tag + 1;
    }
    int index = 0;
    if (m_tag > 0)
        index = m_tag - 1;
    else
        m_tag = 1;
    while (index < n) {
        if (show(index)) {
            step.shown = index;
            break;
        }
        ++m_tag;
        if (n < m_tag)
            break;
        index = m_tag - 1;
    }
    return step;
}
