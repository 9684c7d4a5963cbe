#include "keypad/ui/tape_window.h"
#include "platform/program_folder.h"
#include "shell/banner_view.h"
#include "shell/main_window.h"
#include "support/recording_services.h"
#include "widgets/image_button.h"
#include "widgets/indicator_lamp.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct ChromeWindow {
    RecordingServices services;
    MainWindow window{KeyFilterServices{services, services}};
    TapeWindow tape;
    bool tray = false;

    explicit ChromeWindow(bool tapeOn)
    {
        window.TrayAvailable = [this] { return tray; };
        window.AttachTape(&tape);
        window.show();
        if (tapeOn)
            window.img_rechenstreifen_wechselClick();
    }
};

TEST(Chrome, HidingIntoTheIconAndRestoringKeepTheTapeAsItWas)
{
    for (bool tapeOn : {true, false}) {
        SCOPED_TRACE(tapeOn);
        ChromeWindow w(tapeOn);
        w.tray = true;
        w.window.img_offClick();
        EXPECT_FALSE(w.window.isVisible());
        EXPECT_FALSE(w.tape.isVisible());
        w.window.menuItem_openClick();
        EXPECT_TRUE(w.window.isVisible());
        EXPECT_EQ(w.tape.isVisible(), tapeOn);
    }
}

TEST(Chrome, WithoutAnIconOffMinimisesAndTheTapeGoesAlong)
{
    ChromeWindow w(true);
    w.window.img_offClick();
    EXPECT_TRUE(w.window.isMinimized());
    EXPECT_TRUE(w.window.isVisible()); // on the task bar, never lost
    EXPECT_FALSE(w.tape.isVisible());
    w.window.showNormal();
    EXPECT_TRUE(w.tape.isVisible());
}

TEST(Chrome, ClosingEndsTheProgramOnlyFromTheMenuWhileThereIsAnIcon)
{
    ChromeWindow w(true);
    w.tray = true;
    EXPECT_FALSE(w.window.close());
    EXPECT_FALSE(w.window.isVisible());
    w.window.menuItem_closeClick();
    EXPECT_FALSE(w.tape.isVisible());
    ChromeWindow plain(false);
    EXPECT_TRUE(plain.window.close());
}

TEST(Chrome, MovingTheWindowTakesTheTapeAlong)
{
    ChromeWindow w(true);
    w.window.move(400, 200);
    EXPECT_EQ(w.tape.frameGeometry().right() + 1, w.window.frameGeometry().left());
    EXPECT_EQ(w.tape.y(), w.window.frameGeometry().top() + 110);
}

// On a screen of two device pixels to the pixel (tests/CMakeLists.txt runs this with
// QT_SCALE_FACTOR=2) the keypad's lamps are pictures of that screen: the one drawn at start-up
// and the ones read from the delivered files on a mode change. A 14 × 14 lamp that the screen
// enlarges, doubling its pixels or smoothly, has no edge finer than two device pixels.
TEST(Chrome, TheAngleLampsAreDrawnForTheSharpScreen)
{
    ProgramFolder::SetPath(QCoreApplication::applicationDirPath());
    ChromeWindow w(false);
    if (w.window.devicePixelRatioF() != 2)
        GTEST_SKIP() << "a screen of ratio " << w.window.devicePixelRatioF();
    const auto shown = [&](const char* name) {
        const QWidget* key = w.window.findChild<ImageButton*>(QLatin1String(name));
        const QImage window = w.window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        return window.copy(QRect(key->mapTo(&w.window, QPoint(2, 2)) * 2, QSize(28, 28)));
    };
    const auto pixelsApart = [](const QImage& a, const QImage& b) {
        int apart = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
                apart += std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                                   std::abs(p.blue() - q.blue())}) > 40;
            }
        return apart;
    };
    const auto expectSharp = [&](const char* name, bool on) {
        SCOPED_TRACE(name);
        const QImage lamp = shown(name);
        const QImage plain = DrawIndicatorLamp(on).convertToFormat(QImage::Format_RGB32);
        for (const auto mode : {Qt::FastTransformation, Qt::SmoothTransformation})
            EXPECT_GT(pixelsApart(lamp, plain.scaled(28, 28, Qt::IgnoreAspectRatio, mode)), 12);
    };
    expectSharp("img_deg", true);
    w.window.findChild<ImageButton*>(QStringLiteral("img_rad"))->click();
    expectSharp("img_rad", true);
    expectSharp("img_deg", false);
}

TEST(Chrome, TheBackdropCoversTheScreenBehindTheCentredWindowAndHidesWithIt)
{
    ChromeWindow w(false);
    w.tray = true;
    w.window.img_fullscreenClick();
    ASSERT_TRUE(w.window.BackdropOpen());
    QWidget* backdrop = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == u"Tfrm_background")
            backdrop = top;
    ASSERT_NE(backdrop, nullptr);
    const QRect screen = w.window.screen()->geometry();
    EXPECT_EQ(backdrop->geometry(), screen);
    EXPECT_TRUE(backdrop->isVisible());
    EXPECT_LE(std::abs(w.window.frameGeometry().center().x() - screen.center().x()), 1);
    w.window.img_offClick();
    EXPECT_FALSE(backdrop->isVisible());
    w.window.findChild<QAction*>(QStringLiteral("menuItem_open"))->trigger();
    EXPECT_TRUE(backdrop->isVisible());
    w.window.img_fullscreenClick();
    EXPECT_FALSE(w.window.BackdropOpen());
}

TEST(Chrome, TheIconMenuTakesItsCaptionsFromTheChromeTexts)
{
    ChromeWindow w(false);
    auto* open = w.window.findChild<QAction*>(QStringLiteral("menuItem_open"));
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), u"Quorvanta öffnen");
    w.window.ChromeTexts().Set(u"menuItem_open", TextProperty::Caption,
                               QStringLiteral("Open Quorvanta"));
    w.window.RetranslateChrome();
    EXPECT_EQ(open->text(), u"Open Quorvanta");
}

struct Banners {
    QTemporaryDir dir;
    QStringList names;
    std::vector<QString> opened;
    int missing = 0;
    std::unique_ptr<QWidget> top = std::make_unique<QWidget>();
    BannerView* view = new BannerView(top.get());
    int count = 0;

    Banners()
    {
        const QDir delivered(QCoreApplication::applicationDirPath() + QStringLiteral("/banner"));
        // The German ones: the others are named after their language.
        for (const QString& name : delivered.entryList(QDir::Files))
            if (!name.contains(u'_'))
                QFile::copy(delivered.filePath(name), dir.filePath(name));
        names = *ListBannerFiles(dir.path());
        view->Folder = dir.path();
        view->ReadCount = [this] { return count; };
        view->WriteCount = [this](int n) { count = n; };
        view->ShowMissingFiles = [this] { ++missing; };
        view->OpenLink = [this](const QString& a) { opened.push_back(a); };
        top->show();
    }
};

TEST(BannerView, TheThreeDeliveredBannersRotateAndDecode)
{
    Banners b;
    ASSERT_EQ(b.names.size(), 3);
    QStringList shown;
    for (int tick = 0; tick < 4; ++tick) {
        if (tick == 0)
            b.view->LoadBanners();
        else
            b.view->timer_bannerTimer(); // as the 30 s tick would
        shown << b.view->Banner();
        EXPECT_FALSE(b.view->pixmap().isNull()) << b.view->Banner().toStdString();
        EXPECT_EQ(b.view->pixmap().size(), QSize(367, 62));
    }
    EXPECT_EQ(shown, b.names + QStringList{b.names.first()});
    EXPECT_TRUE(b.view->Timer()->isActive());
    EXPECT_EQ(b.count, 3);
    EXPECT_EQ(b.missing, 0);
    b.view->Img_BannerClick();
    EXPECT_EQ(b.opened, std::vector<QString>{QStringLiteral("http://") + b.view->Link()});
}

TEST(BannerView, TheSharpPictureIsShownOnASharpScreen)
{
    if (PictureRatio() != 2)
        GTEST_SKIP() << "a screen of ratio " << PictureRatio();
    Banners b;
    ASSERT_EQ(b.names.size(), 3);
    for (int tick = 0; tick < 3; ++tick) {
        b.view->LoadBanners();
        SCOPED_TRACE(b.view->Banner().toStdString());
        EXPECT_EQ(b.view->Banner(), b.names.at(tick));
        EXPECT_EQ(b.view->pixmap().size(), QSize(734, 124));
        EXPECT_EQ(b.view->pixmap().devicePixelRatio(), 2);
    }
}

TEST(BannerView, ADeletedBannerGivesTheMissingFilesMessage)
{
    Banners b;
    b.count = 3;
    QFile::remove(b.dir.filePath(b.names.last()));
    b.view->LoadBanners();
    EXPECT_EQ(b.missing, 1);
}

TEST(BannerView, ABrokenPictureKeepsThePreviousOneButTakesTheLink)
{
    Banners b;
    for (const QString& name : b.names)
        QFile::remove(b.dir.filePath(name));
    QFile good(QCoreApplication::applicationDirPath() + QStringLiteral("/banner/banner3.cc6"));
    ASSERT_TRUE(good.copy(b.dir.filePath(QStringLiteral("a.cc6"))));
    QFile broken(b.dir.filePath(QStringLiteral("b.cc5")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("\x01"
                            "d"
                            "\x06"
                            "broken") +
                 QByteArray(500, '\x5a'));
    broken.close();
    const QStringList names = *ListBannerFiles(b.dir.path());
    for (int tick = 0; tick < 2; ++tick)
        b.view->LoadBanners();
    // Whatever the listing order, the broken JPEG left the GIF's picture.
    EXPECT_FALSE(b.view->pixmap().isNull());
    EXPECT_EQ(b.view->Link(),
              names.last() == u"b.cc5" ? u"broken" : u"www.quorvanta.example/kurse");
}

} // namespace
