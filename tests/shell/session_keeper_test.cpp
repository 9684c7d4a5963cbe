#include "app/program.h"
#include "platform/state_file.h"
#include "shell/main_window.h"
#include "shell/session_keeper.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(SessionKeeper, TheWindowGoesBackToItsPlaceOnlyWhenThatIsOnAScreen)
{
    QTemporaryDir dir;
    Program program(ProgramOptions{});
    program.Start();
    MainWindow& main = *program.MainWindow();
    SessionKeeper keeper(main, StateFile(dir.path()), true);
    const QPoint centred = main.pos();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint inside = screen.topLeft() + QPoint(150, 20);

    SessionState s = keeper.Collect();
    s.windowPosition = QPoint(screen.right() + 500, screen.bottom() + 500);
    keeper.Apply(s);
    EXPECT_EQ(main.pos(), centred);
    s.windowPosition = inside;
    keeper.Apply(s);
    EXPECT_EQ(main.pos(), inside);
    EXPECT_EQ(keeper.Collect().windowPosition, inside);
}

TEST(SessionKeeper, AChangeWaitsForTheTimerAndNothingIsWrittenBeforeTheFileWasRead)
{
    QTemporaryDir dir;
    const StateFile file(dir.path());
    ASSERT_TRUE(file.Write("Quorvanta state 1\nmemory.1=7\n"));
    Program program(ProgramOptions{});
    program.Start();
    SessionKeeper keeper(*program.MainWindow(), file, true);
    // Before the file was read, the program's empty slots must not replace it.
    keeper.SaveNow();
    EXPECT_EQ(file.Read().bytes, "Quorvanta state 1\nmemory.1=7\n");

    keeper.Restore();
    EXPECT_EQ(program.MainWindow()->Calculator().Memory().Value(0), u"7");
    program.MainWindow()->Calculator().Memory().Store(1, QStringLiteral("8"));
    keeper.Changed();
    EXPECT_EQ(ReadSessionState(file.Read().bytes).state.memory[1], u"");
    keeper.SaveNow();
    EXPECT_EQ(ReadSessionState(file.Read().bytes).state.memory[1], u"8");

    // Switched off: nothing more is written.
    keeper.SetEnabled(false);
    program.MainWindow()->Calculator().Memory().Clear(0);
    keeper.SaveNow();
    EXPECT_EQ(ReadSessionState(file.Read().bytes).state.memory[0], u"7");
}

} // namespace
