#include "app/program.h"
#include "common/control_texts.h"
#include "keypad/ui/tape_window.h"
#include "reporting/ui/exception_dialog.h"
#include "shell/backdrop_window.h"
#include "shell/banner_view.h"
#include "shell/main_window.h"
#include "shell/message_dialog.h"
#include "shell/update_dialogs.h"
#include "support/recording_services.h"
#include "widgets/align_edit.h"

#include <QApplication>
#include <QTabWidget>
#include <QTest>

#include <optional>

#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindow, BorderlessWithFivePagesInOrder)
{
    RecordingServices services;
    MainWindow window(KeyFilterServices{services, services});
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
    MainWindow window(KeyFilterServices{services, services});
    auto* result = window.findChild<AlignEdit*>(QStringLiteral("edt_result"));
    ASSERT_NE(result, nullptr);
    emit result->errorSignal(3);
    EXPECT_EQ(services.signals_, std::vector<int>{3});
}

// The error report's list of controls names the windows and the entry field as the
// translation file and every earlier report do, whatever our classes are called.
TEST(MainWindow, ErrorReportKeepsTheWindowAndFieldClassNames)
{
    RecordingServices services;
    MainWindow window(KeyFilterServices{services, services});
    TapeWindow tape;
    MessageDialog message(services, &window);
    NewVersionDialog newVersion{QUrl()};
    UpdateQuestionDialog question;
    BackdropWindow backdrop(QString(), QRect(0, 0, 10, 10));
    ErrorReportDialog error(ErrorInfo::Of(QString(), QString()), ReportingSetup(), true, nullptr);
    const std::pair<const QObject*, const char*> named[] = {
        {&window, "Tfrm_calc"},
        {window.findChild<QWidget*>(QStringLiteral("edt_result")), "TAlignEdit"},
        {&tape, "Tfrm_rechenstreifen"},
        {&message, "Tfrm_meldung"},
        {&newVersion, "Tfrm_NeueVersion"},
        {&question, "Tfrm_AskForUpdate"},
        {&backdrop, "Tfrm_background"},
        {&error, "TExceptionDialogMail"},
        {window.findChild<QTabWidget*>(), "QTabWidget"}};
    for (const auto& [object, name] : named)
        EXPECT_EQ(ReportedClassName(*object), QString::fromLatin1(name));
}

// Qt's tab-widget keys work from any field of the window; Alt+digit jumps to a page.
TEST(MainWindow, PageKeysSwitchPagesFromAnyField)
{
    RecordingServices services;
    MainWindow window(KeyFilterServices{services, services});
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("pco_main"));
    auto* result = window.findChild<QWidget*>(QStringLiteral("edt_result"));
    const struct {
        QKeyCombination keys;
        int page;
    } steps[] = {{Qt::CTRL | Qt::Key_Tab, 1},
                 {Qt::CTRL | Qt::Key_PageDown, 2},
                 {Qt::CTRL | Qt::Key_PageUp, 1},
                 {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 0},
                 {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 4},
                 {Qt::ALT | Qt::Key_4, 3},
                 {Qt::ALT | Qt::Key_1, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(QKeySequence(step.keys).toString().toStdString());
        QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : result;
        QTest::keyClick(focused, step.keys.key(), step.keys.keyboardModifiers());
        EXPECT_EQ(pages->currentIndex(), step.page);
    }
    // Back on the keypad page the keyboard is in the display.
    EXPECT_EQ(QApplication::focusWidget(), result);
}

// While the program asks about an update, a click on the icon waits for the answer.
TEST(MainWindow, TrayClickWaitsForTheUpdateQuestion)
{
    RecordingServices services;
    MainWindow window(KeyFilterServices{services, services});
    UpdateQuestionDialog question;
    question.show();
    window.TrayIconClicked();
    EXPECT_FALSE(window.isVisible());
    question.hide();
    window.TrayIconClicked();
    EXPECT_TRUE(window.isVisible());
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
