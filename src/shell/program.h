// The program's start: options, the two windows, and what runs before the event loop.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class Tfrm_calc;
class Tfrm_rechenstreifen;
class DesktopServices;
class TextPrinter;

struct ProgramOptions {
    QString programDir;    // where delivered files are; empty: the executable's folder
    QString settingsFile;  // settings store; empty: the user's own
    QStringList arguments; // the program's command-line arguments ("WinStart")
};

ProgramOptions ParseProgramOptions(const QStringList& arguments);

class Program {
public:
    explicit Program(ProgramOptions options);
    ~Program();

    // Creates the main window and the hidden tape window and shows the main window
    // unless the program was started with "WinStart".
    void Start();

    Tfrm_calc* MainWindow() const { return m_mainWindow.get(); }
    Tfrm_rechenstreifen* TapeWindow() const { return m_tapeWindow.get(); }
    TextPrinter& Printer() const { return *m_printer; }

private:
    ProgramOptions m_options;
    std::unique_ptr<DesktopServices> m_services;
    std::unique_ptr<TextPrinter> m_printer;
    std::unique_ptr<Tfrm_calc> m_mainWindow;
    std::unique_ptr<Tfrm_rechenstreifen> m_tapeWindow;
};

// Entry point of `quorvanta`.
int ProgramMain(int argc, char** argv);
