#include "shell/banner_view.h"

#include "platform/modules/picture_codecs.h"
#include "platform/program_pictures.h"
#include "shell/tray_rules.h"
#include "widgets/image_button.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QMouseEvent>
#include <QTimer>

std::optional<QImage> DecodeBannerPicture(BannerPictureKind kind, const QByteArray& bytes,
                                          const PictureCodecs* codecs)
{
    switch (kind) {
    case BannerPictureKind::Bitmap: {
        // Only the bitmap reader: no other image format may come in under the bitmap's name.
        // Its header's size is checked before any pixel is read: a few bytes can claim a
        // picture of millions of rows.
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer, "BMP");
        reader.setAutoDetectImageFormat(false);
        const QSize size = reader.size();
        if (!size.isValid() || size.width() > kMaxPictureSide || size.height() > kMaxPictureSide)
            return std::nullopt;
        QImage image;
        if (!reader.read(&image))
            return std::nullopt;
        return image;
    }
    case BannerPictureKind::Jpeg:
        return codecs ? codecs->ReadJpeg(bytes) : std::nullopt;
    case BannerPictureKind::Gif:
        return codecs ? codecs->ReadGif(bytes) : std::nullopt;
    case BannerPictureKind::None:
        break;
    }
    return std::nullopt;
}

BannerView::BannerView(QWidget* parent)
    : QLabel(parent), m_link(QString::fromLatin1(kMakerWebAddress))
{
    setObjectName(QStringLiteral("Img_Banner"));
    setCursor(Qt::PointingHandCursor);
    setAlignment(Qt::AlignCenter);
    setToolTip(m_link);
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("timer_banner"));
    m_timer->setInterval(RotationMs);
    connect(m_timer, &QTimer::timeout, this, &BannerView::timer_bannerTimer);
}

void BannerView::LoadBanners()
{
    m_loaded = true;
    const std::optional<QStringList> names = ListBannerFiles(Folder);
    const int stored = ReadCount ? ReadCount() : 0;
    const auto step = m_rotation.Load(names ? std::optional<int>(int(names->size())) : std::nullopt,
                                      stored, [&](int i) { return showBanner(names->at(i)); });
    if (step.shown >= 0)
        m_position = step.shown;
    if (step.storeCount && WriteCount)
        WriteCount(*step.storeCount);
    if (step.startTimer && !m_timer->isActive())
        m_timer->start();
    if (step.missingFiles && ShowMissingFiles)
        ShowMissingFiles();
}

void BannerView::SetLanguage(int code)
{
    // The table read after the first frame applies the same language again: nothing changes.
    const bool changed = code != Language;
    Language = code;
    if (!changed || !m_loaded || (!m_banner.isEmpty() && BannerFitsLanguage(m_letters, code)))
        return;
    m_banner.clear();
    m_letters.clear();
    m_position = -1;
    m_link = QString::fromLatin1(kMakerWebAddress);
    setToolTip(m_link);
    setPixmap(QPixmap());
    m_rotation.Restart();
    LoadBanners();
}

bool BannerView::showBanner(const QString& name)
{
    const QDir folder(Folder);
    const auto file = ReadBannerFile(folder.filePath(name));
    if (!file || !BannerFitsLanguage(file->languages, Language))
        return false;
    m_link = file->link;
    m_banner = name;
    m_letters = file->languages;
    setToolTip(m_link);
    const BannerPictureKind kind = BannerPictureKindOf(name);
    std::optional<QImage> picture;
    // On a sharp screen the twice as large picture beside the banner, where there is one: the
    // banner's own file still gives the link and the languages.
    if (PictureRatio() > 1) {
        if (const auto sharp = ReadBannerFile(folder.filePath(SharpPictureName(name))))
            if (const auto image =
                    DecodeBannerPicture(kind, sharp->picture, ProgramPictureCodecs()))
                picture = AtPictureRatio(*image);
    }
    if (!picture)
        picture = DecodeBannerPicture(kind, file->picture, ProgramPictureCodecs());
    if (picture)
        setPixmap(QPixmap::fromImage(*picture));
    return true;
}

void BannerView::timer_bannerTimer()
{
    if (window()->isVisible() && !window()->isMinimized())
        LoadBanners();
}

bool BannerView::Rotating() const
{
    return m_timer->isActive();
}

void BannerView::Img_BannerClick()
{
    if (OpenLink)
        OpenLink(QStringLiteral("http://") + m_link);
}

void BannerView::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    // The first banner is read once the window's first frame is out: nothing of it holds up
    // the start.
    if (LoadWhenShown && !m_loaded) {
        m_loaded = true;
        QTimer::singleShot(0, this, &BannerView::LoadBanners);
    }
}

void BannerView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Img_BannerClick();
}
