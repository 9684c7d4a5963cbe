#include "banner_view.h"

#include "formulas/formula_drawing.h"
#include "tray_rules.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QMouseEvent>
#include <QTimer>

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {
// Pictures larger than this on a side are refused: a banner is a strip of 367 × 62 pixels.
constexpr int kMaxBannerSide = 4096;

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

// The two steps below hold no object with a destructor: a decoding error jumps out of them.
bool readJpegHeader(jpeg_decompress_struct& info, JpegError& error, const QByteArray& bytes)
{
    if (setjmp(error.back))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    return true;
}

bool readJpegRows(jpeg_decompress_struct& info, JpegError& error, uchar* pixels, qsizetype stride)
{
    if (setjmp(error.back))
        return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels + stride * qsizetype(info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

std::optional<QImage> readJpeg(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return std::nullopt;
    jpeg_decompress_struct info{};
    JpegError error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<JpegError*>(c->err)->back, 1);
    };
    error.manager.output_message = [](j_common_ptr) {};
    jpeg_create_decompress(&info);
    std::optional<QImage> result;
    if (readJpegHeader(info, error, bytes) && info.output_width <= kMaxBannerSide &&
        info.output_height <= kMaxBannerSide && info.output_components == 3) {
        QImage image(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
        if (!image.isNull() && readJpegRows(info, error, image.bits(), image.bytesPerLine()))
            result = image;
    }
    jpeg_destroy_decompress(&info);
    return result;
}
} // namespace

std::optional<QImage> DecodeBannerPicture(BannerPictureKind kind, const QByteArray& bytes)
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
        if (!size.isValid() || size.width() > kMaxBannerSide || size.height() > kMaxBannerSide)
            return std::nullopt;
        QImage image;
        if (!reader.read(&image))
            return std::nullopt;
        return image;
    }
    case BannerPictureKind::Jpeg:
        return readJpeg(bytes);
    case BannerPictureKind::Gif:
        return FormulaDrawing::ReadGif(bytes);
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

bool BannerView::showBanner(const QString& name)
{
    const auto file = ReadBannerFile(QDir(Folder).filePath(name));
    if (!file || !BannerFitsLanguage(file->languages, Language))
        return false;
    m_link = file->link;
    m_banner = name;
    setToolTip(m_link);
    if (const auto picture = DecodeBannerPicture(BannerPictureKindOf(name), file->picture))
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
