// Times the language switch of the whole program: the main window with every page built, the
// tape window and the delivered translation table, switched German → English → German RUNS
// times. Reports the median and the slowest single switch, pending events included. A figure
// to read, never a pass or fail.
//
//   bench_language_switch [RUNS]
#include "common/services.h"
#include "keypad/ui/tape_window.h"
#include "platform/program_folder.h"
#include "shell/language_switch.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
struct QuietServices : UserFeedback, TextClipboard {
    void ErrorSignal(int) override {}
    QString Text() const override { return {}; }
    void SetText(const QString&) override {}
};

double switchTo(LanguageSwitch& languages, int code)
{
    QElapsedTimer timer;
    timer.start();
    languages.ChangeLanguage(code);
    QCoreApplication::processEvents();
    return double(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    TranslationTable table;
    const QString file = ProgramFolder::FilePath(QStringLiteral("uebersetzung.txt"));
    if (!table.LoadTranslations(file)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(file));
        return 1;
    }
    QuietServices services;
    MainWindow main(KeyFilterServices{services, services});
    TapeWindow tape;
    main.AttachTape(&tape);
    LanguageSwitch languages(table, main, &tape);
    languages.ApplyLanguage();
    main.show();
    for (int i = main.Pages()->count() - 1; i >= 0; --i)
        main.Pages()->setCurrentIndex(i);
    QCoreApplication::processEvents();

    std::vector<double> rounds, single;
    for (int run = 0; run < runs; ++run) {
        const double toEnglish = switchTo(languages, 2);
        const double toGerman = switchTo(languages, 1);
        rounds.push_back(toEnglish + toGerman);
        single.push_back(std::max(toEnglish, toGerman));
    }
    std::sort(rounds.begin(), rounds.end());
    std::sort(single.begin(), single.end());
    std::printf("%zu entries, %d rounds of German -> English -> German\n",
                size_t(table.Entries().size()), runs);
    std::printf("round: median %.1f ms, slowest %.1f ms\n", rounds[rounds.size() / 2],
                rounds.back());
    std::printf("one switch: median %.1f ms, slowest %.1f ms\n", single[single.size() / 2],
                single.back());
    return 0;
}
