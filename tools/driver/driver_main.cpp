// quorvanta-driver [--program-dir DIR] [--settings FILE] [--data-dir DIR | --user-data]
//                  [--autostart DIR] [--args "…"] [SCRIPT]
// Starts the program as `quorvanta` does (without the single-instance lock), on the
// offscreen platform unless QT_QPA_PLATFORM is set, and runs the script from SCRIPT or
// standard input. The settings, the user's rate file and the autostart entry go to a fresh
// temporary folder unless --settings, --data-dir and --autostart name others: a script never
// touches the user's own. --user-data keeps the system's data folder for the user (a test
// that sets XDG_DATA_HOME checks where an installed program writes).
#include "app/program.h"
#include "platform/open_address.h"
#include "platform/settings_store.h"
#include "reporting/ui/exception_handling.h"
#include "script_runner.h"
#include "shell/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>

namespace {
int usage()
{
    std::fputs("usage: quorvanta-driver [--program-dir DIR] [--settings FILE] "
               "[--data-dir DIR | --user-data] [--autostart DIR] [--args \"...\"] [SCRIPT]\n",
               stderr);
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    ProgramOptions options;
    QString scriptPath;
    bool userData = false; // the user's own data folder, as the installed program has it
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == u"--program-dir" && hasValue)
            options.programDir = QString::fromLocal8Bit(argv[++i]);
        else if (arg == u"--settings" && hasValue)
            options.settingsFile = QString::fromLocal8Bit(argv[++i]);
        else if (arg == u"--data-dir" && hasValue)
            options.dataFolder = QString::fromLocal8Bit(argv[++i]);
        else if (arg == u"--user-data")
            userData = true;
        else if (arg == u"--autostart" && hasValue)
            options.autostartFolder = QString::fromLocal8Bit(argv[++i]);
        else if (arg == u"--args" && hasValue)
            options.arguments = QString::fromLocal8Bit(argv[++i]).split(u' ', Qt::SkipEmptyParts);
        else if (arg.startsWith(u"--") || !scriptPath.isEmpty())
            return usage();
        else
            scriptPath = arg;
    }

    QString script;
    if (scriptPath.isEmpty()) {
        std::string all;
        for (std::string line; std::getline(std::cin, line);)
            all += line + '\n';
        script = QString::fromStdString(all);
    } else {
        QFile file(scriptPath);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(scriptPath));
            return 2;
        }
        script = QString::fromUtf8(file.readAll());
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As in the program, an error out of an event handler ends in the error dialog.
    ReportingApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QTemporaryDir settingsDir;
    if (options.settingsFile.isEmpty()) {
        options.settingsFile = settingsDir.filePath(QStringLiteral("settings.ini"));
        // A script's own fresh settings fetch no rates at start: its run must not depend on
        // what answers on the network. A script that wants it brings a settings file.
        SettingsStore(options.settingsFile).SetBool(SettingsStore::Key::AutoUpdate, false);
        // Nor does it find or leave a session in the user's data folder.
        qputenv("XDG_DATA_HOME", settingsDir.filePath(QStringLiteral("data")).toUtf8());
    } else if (qEnvironmentVariableIsEmpty("XDG_DATA_HOME")) {
        // A script that brings its settings keeps its session beside them, unless
        // XDG_DATA_HOME names the folder: two runs on one settings file see a restart.
        qputenv("XDG_DATA_HOME", QFileInfo(options.settingsFile)
                                     .absoluteDir()
                                     .filePath(QStringLiteral("data"))
                                     .toUtf8());
    }
    // No script ever starts a browser or a mail program: the address is only told.
    SetAddressOpener([](const QUrl& address) {
        std::fprintf(stderr, "open %s\n", qPrintable(address.toString()));
    });
    if (options.autostartFolder.isEmpty())
        options.autostartFolder = settingsDir.filePath(QStringLiteral("autostart"));
    // The rates a script downloads or types go to its own data folder, never the user's.
    if (options.dataFolder.isEmpty() && !userData)
        options.dataFolder = settingsDir.filePath(QStringLiteral("data"));

    Program program(options);
    program.Start();
    // A crash of a script's run leaves its crash file in the script's own folder.
    InstallExceptionDialog(ReportingSetupFrom(program.Settings(), program.Proxy()),
                           settingsDir.filePath(QStringLiteral("crash-report.txt")));
    // Scripts start once the main window can take keys, as a user would find it.
    // What the start leaves for after the first frame is there too, however soon the first
    // line comes; a notice it shows (a missing pipe file) must not keep the keys from the
    // main window.
    program.MainWindow()->FinishStart();
    if (program.MainWindow()->isVisible()) {
        program.MainWindow()->activateWindow();
        (void)QTest::qWaitForWindowActive(program.MainWindow(), 2000);
    }

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    ScriptRunner runner(
        script.split(u'\n'),
        [&out](const QString& line) {
            out << line << '\n';
            out.flush();
        },
        [](const QString& line) { std::fprintf(stderr, "%s\n", qPrintable(line)); });
    QObject::connect(&runner, &ScriptRunner::finished, &app,
                     [](int code) { QApplication::exit(code); });
    runner.ShowMessage = [&program](MessageKind kind, const QString& text) {
        return program.MainWindow()->Messages().ShowMessage(kind, text);
    };
    runner.Start();
    const int result = QApplication::exec();
    RemoveExceptionDialog();
    return result;
}
