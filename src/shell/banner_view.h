// Img_Banner: the rotating banner in the strip below the pages. A click opens its link.
#pragma once

#include "banner_rotation.h"

#include <QImage>
#include <QLabel>

#include <functional>
#include <optional>

class PictureCodecs;
class QTimer;

// The picture of a banner file, decoded by its kind: bitmaps by Qt, GIF and JPEG by `codecs`
// (without them those are refused). Nothing when the bytes are no picture.
std::optional<QImage> DecodeBannerPicture(BannerPictureKind kind, const QByteArray& bytes,
                                          const PictureCodecs* codecs);

class BannerView : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString link READ Link)
    Q_PROPERTY(QString banner READ Banner)
    Q_PROPERTY(bool rotating READ Rotating) // timer_banner runs
    Q_PROPERTY(int position READ Position)  // the banner shown, by its place in the list
public:
    static constexpr int RotationMs = 30000;

    explicit BannerView(QWidget* parent);

    // Seams to the rest of the program; all optional.
    QString Folder;                 // the "banner" folder
    int Language = 1;               // current language code
    std::function<int()> ReadCount; // "BannerCount"
    std::function<void(int)> WriteCount;
    std::function<void()> ShowMissingFiles;       // the missing-files message
    std::function<void(const QString&)> OpenLink; // opens "http://" + link
    bool LoadWhenShown = false;                   // the program's start turns this on

    // Builds the banner list and shows the next banner.
    void LoadBanners();
    // The language changes: a banner shown for another language gives way at once to the
    // first one of the new language, or to none.
    void SetLanguage(int code);
    // One tick of timer_banner: nothing while the main window is hidden.
    void timer_bannerTimer();
    void Img_BannerClick();
    QString Link() const { return m_link; }
    QString Banner() const { return m_banner; } // the file shown, for the driver
    QTimer* Timer() const { return m_timer; }
    bool Rotating() const;
    int Position() const { return m_position; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool showBanner(const QString& name);

    BannerRotation m_rotation;
    QTimer* m_timer = nullptr;
    QString m_link;
    QString m_banner;
    QByteArray m_letters; // the language letters of the banner shown
    int m_position = -1;
    bool m_loaded = false;
};
