// The program's start: options, the single instance, the settings, the two windows, and what
// runs before the event loop.
#pragma once

#include "shell/startup_settings.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class Autostart;
class DesktopServices;
class SettingsStore;
class TextPrinter;
class SessionKeeper;
class MainWindow;
class TapeWindow;
class WebClient;
class WebUpdate;
class LanguageSwitch;
class TranslationTable;

struct ProgramOptions {
    QString programDir;      // where delivered files are; empty: the executable's folder
    QString settingsFile;    // settings store; empty: the user's own
    QString autostartFolder; // where the autostart entry goes; empty: the user's own
    QString dataFolder;      // the user's own rate file; empty: the user's data folder
    QStringList arguments;   // the program's command-line arguments ("WinStart")
};

ProgramOptions ParseProgramOptions(const QStringList& arguments);

class Program {
public:
    explicit Program(ProgramOptions options);
    ~Program();

    // Restores the settings, creates the main window and the hidden tape window, and shows
    // the main window unless the program was started with "WinStart" (then it waits in the
    // notification area, or minimised where the desktop has none).
    void Start();
    // A later start asked for the program: the main window comes back and to the front.
    void ShowMainWindow();

    ::MainWindow* MainWindow() const { return m_mainWindow.get(); }
    ::TapeWindow* TapeWindow() const { return m_tapeWindow.get(); }
    SessionKeeper* Session() const { return m_session; }
    LanguageSwitch* Languages() const { return m_languageSwitch; }
    TextPrinter& Printer() const { return *m_printer; }
    SettingsStore& Settings() const { return *m_settings; }

    // The language restored at start (1 German, 2 English, 12 Polish).
    int LanguageCode() const { return m_language; }
    // Stores the language after a change of language.
    void SaveLanguage(int code);
    // The choices of gbo_einstellungen as read at start and changed since.
    const StoredChoices& Choices() const { return m_choices; }
    // The SOCKS proxy for web transfers; nothing for a direct connection.
    const std::optional<ProxyAddress>& Proxy() const { return m_proxy; }

    // SaveSetup: a settings box of the currency page was clicked.
    void SaveSetup(const QString& box, bool checked);
    // While a dialog of the update must come to the front, the windows give up staying on top.
    void SuspendAlwaysOnTop(bool suspended);
    // The rates and the version from the maker's host (img_kursupdateClick waits for it).
    WebUpdate& Update() const { return *m_update; }

    // Set by the parts that own them: the backdrop is open (always-on-top cannot be turned
    // off then), and the first-start question, asked before the choices are read.
    std::function<bool()> BackdropOpen;
    std::function<void()> AskForUpdate;
    // Whether the desktop has a notification area; set before Start to stand in for the
    // desktop's answer.
    std::function<bool()> TrayAvailable;
    // Work that waits until the window is up: after its first frame, or at once after Start
    // when the program starts without showing it.
    std::function<void()> WhenUp;
    // Asks where to save the tape; empty: cancelled. Tests answer in its place.
    std::function<QString()> AskTapeFile;

private:
    void applyAlwaysOnTop(bool on);
    void showSettingBoxes();
    void setUpWebUpdate();
    void setUpSession();
    void saveTape();
    void askForUpdate();

    ProgramOptions m_options;
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<Autostart> m_autostart;
    SettingsAtStart m_atStart;
    StoredChoices m_choices;
    int m_language = GermanLanguage;
    std::optional<ProxyAddress> m_proxy;
    std::unique_ptr<DesktopServices> m_services;
    std::unique_ptr<TextPrinter> m_printer;
    std::unique_ptr<::MainWindow> m_mainWindow;
    std::unique_ptr<::TapeWindow> m_tapeWindow;
    std::unique_ptr<WebClient> m_web;
    std::unique_ptr<WebUpdate> m_update;
    bool m_buttonUpdate = false; // the running update is the button's, not the start-up's
    QString m_updateOutcome;     // what the running update came to
    int m_noticeShown = 0;       // counts the update's notices: only the last one is closed
    std::unique_ptr<TranslationTable> m_translations;
    LanguageSwitch* m_languageSwitch = nullptr; // owned by the main window
    SessionKeeper* m_session = nullptr;         // owned by the main window
};

// Entry point of `quorvanta`: a second start only asks the first to show itself, and ends.
int ProgramMain(int argc, char** argv);
