#include "program.h"

#include "calculator/tape_window.h"
#include "main_window.h"
#include "platform/desktop_services.h"
#include "platform/fonts.h"
#include "platform/printing.h"
#include "platform/program_folder.h"
#include "platform/startup_probe.h"

#include <QApplication>

ProgramOptions ParseProgramOptions(const QStringList& arguments)
{
    ProgramOptions options;
    options.arguments = arguments.mid(1);
    return options;
}

Program::Program(ProgramOptions options) : m_options(std::move(options)) {}

Program::~Program()
{
    // The tape window refers to the main window's button effect: it goes first.
    m_tapeWindow.reset();
    m_mainWindow.reset();
}

void Program::Start()
{
    QApplication::setApplicationName(QStringLiteral("Quorvanta"));
    ProgramFolder::SetPath(m_options.programDir);
    RegisterProgramFonts();

    m_services = std::make_unique<DesktopServices>();
    m_printer = std::make_unique<TextPrinter>();
    m_mainWindow = std::make_unique<Tfrm_calc>(KeyFilterServices{*m_services, *m_services});
    m_tapeWindow = std::make_unique<Tfrm_rechenstreifen>();
    m_mainWindow->AttachTape(m_tapeWindow.get());
    m_tapeWindow->OnPrint = [this](const QString& title, const QString& text) {
        m_printer->Print(m_tapeWindow.get(), title, text);
    };
    WatchFirstPaint(m_mainWindow.get());

    const bool winStart =
        !m_options.arguments.isEmpty() && m_options.arguments.first() == QStringLiteral("WinStart");
    m_mainWindow->PlaceOnScreen();
    if (!winStart) {
        m_mainWindow->show();
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
}

int ProgramMain(int argc, char** argv)
{
    QApplication app(argc, argv);
    Program program(ParseProgramOptions(QApplication::arguments()));
    program.Start();
    return QApplication::exec();
}
