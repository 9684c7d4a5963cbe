#include "program.h"

#include "calculator/tape_window.h"
#include "conversion/currency_page.h"
#include "main_window.h"
#include "platform/autostart.h"
#include "platform/desktop_services.h"
#include "platform/fonts.h"
#include "platform/printing.h"
#include "platform/program_folder.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/startup_probe.h"
#include "platform/system_language.h"
#include "platform/window_placement.h"

#include <QApplication>
#include <QTabWidget>

namespace {
constexpr int kCurrencyPageIndex = 2;

QString allProxyFromEnvironment()
{
#ifdef Q_OS_WIN
    return QString(); // Windows keeps its proxy in the Internet settings only
#else
    const QString lower = qEnvironmentVariable("all_proxy");
    return lower.isEmpty() ? qEnvironmentVariable("ALL_PROXY") : lower;
#endif
}
} // namespace

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

    m_settings = m_options.settingsFile.isEmpty()
                     ? std::make_unique<SettingsStore>()
                     : std::make_unique<SettingsStore>(m_options.settingsFile);
    m_autostart = m_options.autostartFolder.isEmpty()
                      ? std::make_unique<Autostart>()
                      : std::make_unique<Autostart>(m_options.autostartFolder);
    m_atStart = RestoreSettings(*m_settings, SystemLanguageName());
    m_language = m_atStart.language;
    m_proxy = ReadProxySettings(*m_settings, allProxyFromEnvironment());

    m_services = std::make_unique<DesktopServices>();
    m_printer = std::make_unique<TextPrinter>();
    m_mainWindow = std::make_unique<Tfrm_calc>(KeyFilterServices{*m_services, *m_services});
    m_tapeWindow = std::make_unique<Tfrm_rechenstreifen>();
    m_mainWindow->AttachTape(m_tapeWindow.get());
    m_tapeWindow->OnPrint = [this](const QString& title, const QString& text) {
        m_printer->Print(m_tapeWindow.get(), title, text);
    };
    WatchFirstPaint(m_mainWindow.get());

    if (m_atStart.firstStart && AskForUpdate)
        AskForUpdate();
    Autostart::RemoveMachineEntry();
    LoadSettings(*m_settings, m_choices);
    auto* currency = m_mainWindow->findChild<CurrencyPage*>();
    if (currency)
        QObject::connect(currency, &CurrencyPage::SettingClicked, m_mainWindow.get(),
                         [this](const QString& box, bool checked) { SaveSetup(box, checked); });
    showSettingBoxes();
    applyAlwaysOnTop(m_choices.alwaysOnTop);
    if (m_atStart.firstStart)
        m_mainWindow->Pages()->setCurrentIndex(kCurrencyPageIndex);

    m_mainWindow->PlaceOnScreen();
    if (!StartsHidden(m_options.arguments)) {
        m_mainWindow->show();
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
    if (m_atStart.firstStart)
        if (auto* amount = m_mainWindow->findChild<QWidget*>(QStringLiteral("edt_waehrung1")))
            amount->setFocus();
}

void Program::ShowMainWindow()
{
    m_mainWindow->setWindowState(m_mainWindow->windowState() & ~Qt::WindowMinimized);
    m_mainWindow->show();
    m_mainWindow->raise();
    m_mainWindow->activateWindow();
}

void Program::showSettingBoxes()
{
    if (auto* currency = m_mainWindow->findChild<CurrencyPage*>())
        currency->ShowSettings(
            {m_choices.alwaysOnTop, m_choices.autoUpdate, m_choices.autoStart, m_atStart.writable});
}

void Program::applyAlwaysOnTop(bool on)
{
    // The tape follows the main window; hidden, it keeps the state for its next showing.
    SetTopmost(m_mainWindow.get(), on);
    SetTopmost(m_tapeWindow.get(), on);
}

void Program::SuspendAlwaysOnTop(bool suspended)
{
    applyAlwaysOnTop(m_choices.alwaysOnTop && !suspended);
}

void Program::SaveSetup(const QString& box, bool checked)
{
    using Key = SettingsStore::Key;
    if (box == u"chk_kursupdate") {
        m_choices.autoUpdate = checked;
        m_settings->SetBool(Key::AutoUpdate, checked);
    } else if (box == u"chk_onTop") {
        // While the backdrop covers the screen the program must stay in front of it.
        const bool held = !checked && BackdropOpen && BackdropOpen();
        m_choices.alwaysOnTop = checked || held;
        if (held)
            showSettingBoxes();
        applyAlwaysOnTop(m_choices.alwaysOnTop);
        m_settings->SetBool(Key::AlwaysOnTop, m_choices.alwaysOnTop);
    } else if (box == u"chk_autostart") {
        m_choices.autoStart = checked;
        m_settings->SetBool(Key::AutoStart, checked);
        if (checked)
            m_autostart->Enable(QCoreApplication::applicationFilePath());
        else
            m_autostart->Disable();
    }
}

void Program::SaveLanguage(int code)
{
    m_language = code;
    ::SaveLanguage(*m_settings, code);
}

int ProgramMain(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Locked before the application is named: the lock records the name, and a later start
    // takes a lock whose process has another name than the executable's for a stale one.
    SingleInstance instance(QStringLiteral("Quorvanta"));
    if (!instance.Claim()) {
        instance.AskFirstToShow();
        return 0;
    }
    Program program(ParseProgramOptions(QApplication::arguments()));
    QObject::connect(&instance, &SingleInstance::ShowRequested, &app,
                     [&program] { program.ShowMainWindow(); });
    program.Start();
    return QApplication::exec();
}
