#include "calculator/align_edit.h"
#include "calculator/tape_window.h"
#include "shell/banner_view.h"
#include "shell/main_window.h"
#include "shell/program.h"
#include "support/recording_services.h"

#include <QTabWidget>
#include <QTest>

#include <optional>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindow, BorderlessWithFivePagesInOrder)
{
    RecordingServices services;
    Tfrm_calc window(KeyFilterServices{services, services});
    EXPECT_EQ(window.windowTitle(), u"Quorvanta");
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.size(), QSize(372, 582));
    QTabWidget* pages = window.findChild<QTabWidget*>(QStringLiteral("pco_main"));
    ASSERT_NE(pages, nullptr);
    const char* names[] = {"tsh_taschenrechner", "tsh_formelrechner", "tsh_waehrungsrechner",
                           "tsh_einheiten", "tshRohrauslegung"};
    const char* captions[] = {nullptr, "Formeln", "Währungen", "SI-Einheiten", "Rohrauslegung"};
    ASSERT_EQ(pages->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), QString::fromLatin1(names[i]));
        if (captions[i]) {
            EXPECT_EQ(pages->tabText(i), QString::fromUtf8(captions[i]));
        }
    }
}

TEST(MainWindow, FieldErrorSignalsReachTheFeedback)
{
    RecordingServices services;
    Tfrm_calc window(KeyFilterServices{services, services});
    auto* result = window.findChild<TAlignEdit*>(QStringLiteral("edt_result"));
    ASSERT_NE(result, nullptr);
    emit result->errorSignal(3);
    EXPECT_EQ(services.signals_, std::vector<int>{3});
}

TEST(Program, ShowsTheMainWindowAndKeepsTheTapeHidden)
{
    Program program(ProgramOptions{});
    program.Start();
    EXPECT_TRUE(program.MainWindow()->isVisible());
    EXPECT_FALSE(program.TapeWindow()->isVisible());
}

// Notes what the banner shows when the window's first frame is painted.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(BannerView* banner) : m_banner(banner) {}
    std::optional<QString> bannerThen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !bannerThen)
            bannerThen = m_banner->Banner();
        return false;
    }

private:
    BannerView* m_banner;
};

TEST(Program, TheFirstFrameComesBeforeTheBanner)
{
    Program program(ProgramOptions{});
    program.Start();
    FirstFrame frame(program.MainWindow()->Banner());
    program.MainWindow()->installEventFilter(&frame);
    QTRY_VERIFY(frame.bannerThen.has_value());
    EXPECT_EQ(*frame.bannerThen, QString());
    QTRY_VERIFY(!program.MainWindow()->Banner()->Banner().isEmpty());
}

TEST(Program, WinStartWaitsInTheIconOrMinimisedWithoutOne)
{
    for (bool tray : {true, false}) {
        SCOPED_TRACE(tray);
        ProgramOptions options;
        options.arguments = QStringList{QStringLiteral("WinStart")};
        Program program(options);
        program.TrayAvailable = [tray] { return tray; };
        program.Start();
        // Without an icon a hidden program could be neither seen nor ended.
        EXPECT_EQ(program.MainWindow()->isVisible(), !tray);
        EXPECT_EQ(program.MainWindow()->isMinimized(), !tray);
    }
}

} // namespace
