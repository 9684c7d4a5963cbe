// Clicks COUNT calculations (12 + 3 * 4 =) on the keypad of the running program, with the
// tape shown, and prints the time per calculation for the first and the last thousand and
// their ratio: a key must cost the same with a long tape as with a short one. Then the time
// to write and to read back the state file of that session (its last 10 000 tape lines).
// A figure to read, never a pass or fail.
//
//   bench_tape [COUNT]        (30000 by default; offscreen unless QT_QPA_PLATFORM is set)
#include "app/program.h"
#include "shell/main_window.h"
#include "shell/session_keeper.h"
#include "shell/session_state.h"
#include "widgets/image_button.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    // Never the user's own settings or session.
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::max(2000, atoi(argv[1])) : 30000;

    ProgramOptions options;
    options.settingsFile = dir.filePath(QStringLiteral("settings.ini"));
    Program program(options);
    program.Start();
    MainWindow* main = program.MainWindow();
    main->FinishStart();
    main->Pages()->setCurrentIndex(MainWindow::KeypadPageIndex);
    main->img_rechenstreifen_wechselClick();
    QApplication::processEvents();

    const char* const keys[] = {"img_ziffer1",          "img_ziffer2",        "spb_operator01_plus",
                                "img_ziffer3",          "spb_operator03_mal", "img_ziffer4",
                                "img_operator00_gleich"};
    ImageButton* buttons[7];
    for (int i = 0; i < 7; ++i) {
        buttons[i] = main->findChild<ImageButton*>(QLatin1String(keys[i]));
        if (!buttons[i]) {
            std::fprintf(stderr, "no key %s\n", keys[i]);
            return 1;
        }
    }
    QElapsedTimer timer;
    double firstMs = 0, lastMs = 0;
    for (int n = 0; n < count; ++n) {
        if (n == 0 || n == count - 1000)
            timer.start();
        for (ImageButton* b : buttons)
            b->click();
        QApplication::processEvents();
        if (n == 999)
            firstMs = double(timer.nsecsElapsed()) / 1e6;
    }
    lastMs = double(timer.nsecsElapsed()) / 1e6;
    const qsizetype lines = main->Calculator().Tape().Lines().size();
    std::printf("%d calculations, %lld tape lines\n", count, static_cast<long long>(lines));
    std::printf("first 1000: %.3f ms per calculation\n", firstMs / 1000);
    std::printf("last 1000:  %.3f ms per calculation\n", lastMs / 1000);
    std::printf("last / first: %.2f\n", lastMs / firstMs);

    timer.start();
    const QByteArray bytes = WriteSessionState(program.Session()->Collect());
    const double writeMs = double(timer.nsecsElapsed()) / 1e6;
    timer.start();
    const SessionReadResult read = ReadSessionState(bytes);
    const double readMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("state file: %lld bytes, %lld tape lines kept; collect and write %.1f ms, read "
                "%.1f ms\n",
                static_cast<long long>(bytes.size()),
                static_cast<long long>(read.state.tape.size()), writeMs, readMs);
    return 0;
}
