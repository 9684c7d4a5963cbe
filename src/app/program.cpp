#include "app/program.h"

#include "currency/ui/currency_page.h"
#include "keypad/ui/tape_window.h"
#include "platform/autostart.h"
#include "platform/crash_file.h"
#include "platform/desktop_services.h"
#include "platform/fonts.h"
#include "platform/open_address.h"
#include "platform/printing.h"
#include "platform/program_folder.h"
#include "platform/qt_translations.h"
#include "platform/settings_store.h"
#include "platform/single_instance.h"
#include "platform/startup_probe.h"
#include "platform/state_file.h"
#include "platform/system_language.h"
#include "platform/web_client.h"
#include "platform/window_placement.h"
#include "reporting/ui/exception_handling.h"
#include "shell/banner_view.h"
#include "shell/language_switch.h"
#include "shell/main_window.h"
#include "shell/session_keeper.h"
#include "shell/tray_rules.h"
#include "shell/update_dialogs.h"
#include "shell/web_update.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QHelpEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

namespace {
constexpr int kCurrencyPageIndex = 2;
constexpr int kOutcomeShownMs = 4000; // how long the update button's notice tells its outcome

QString allProxyFromEnvironment()
{
#ifdef Q_OS_WIN
    return QString(); // Windows keeps its proxy in the Internet settings only
#else
    const QString lower = qEnvironmentVariable("all_proxy");
    return lower.isEmpty() ? qEnvironmentVariable("ALL_PROXY") : lower;
#endif
}
// Every hint of the program stays up for six seconds, however long its text.
class HintPause : public QObject {
public:
    explicit HintPause(QObject* parent) : QObject(parent) { setObjectName(Name()); }
    static constexpr int HideAfterMs = 6000;
    // Found by its name: the class has no meta-object of its own to be found by.
    static QString Name() { return QStringLiteral("quorvanta_hint_pause"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        // Views and tab bars show the hints of their items themselves.
        if (!widget || widget->toolTip().isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), widget->toolTip(), widget,
                           QRect(), HideAfterMs);
        return true;
    }
};

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
    ProgramFolder::SetUserDataPath(m_options.dataFolder);
    RegisterProgramFonts();
    if (!qApp->findChild<QObject*>(HintPause::Name(), Qt::FindDirectChildrenOnly))
        qApp->installEventFilter(new HintPause(qApp));

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
    m_mainWindow = std::make_unique<::MainWindow>(KeyFilterServices{*m_services, *m_services});
    m_tapeWindow = std::make_unique<::TapeWindow>();
    m_mainWindow->AttachTape(m_tapeWindow.get());
    // The translation table, and the language restored from the settings applied to both
    // windows. Without the table the program speaks German. For German the table is read
    // only after the window is up: the windows already show its German texts.
    m_translations = std::make_unique<TranslationTable>();
    m_languageSwitch =
        new LanguageSwitch(*m_translations, *m_mainWindow, m_tapeWindow.get(), m_mainWindow.get());
    m_languageSwitch->LoadTable = [this] {
        const QString file = ProgramFolder::FilePath(QStringLiteral("uebersetzung.txt"));
        // Without it the program goes on in German after saying which file is missing.
        if (!m_translations->LoadTranslations(file))
            m_mainWindow->ShowMissingFiles(file, QStringLiteral("translation_missing"));
    };
    m_languageSwitch->LoadQtTranslations = [](int code) { LoadQtTranslations(code); };
    m_languageSwitch->SaveLanguage = [this](int code) { SaveLanguage(code); };
    m_languageSwitch->SetLanguage(m_language);
    m_languageSwitch->ApplyLanguage();
    if (TrayAvailable)
        m_mainWindow->TrayAvailable = TrayAvailable;
    m_mainWindow->AlwaysOnTopChosen = [this] { return m_choices.alwaysOnTop; };
    if (!BackdropOpen)
        BackdropOpen = [this] { return m_mainWindow->BackdropOpen(); };
    m_tapeWindow->OnPrint = [this](const QString& title, const QString& text) {
        m_printer->Print(m_tapeWindow.get(), title, text);
    };
    m_tapeWindow->OnSave = [this] { saveTape(); };
    WatchFirstPaint(m_mainWindow.get());
    setUpWebUpdate();

    if (!AskForUpdate)
        AskForUpdate = [this] { askForUpdate(); };
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
    setUpSession();
    if (m_atStart.firstStart)
        m_mainWindow->Pages()->setCurrentIndex(kCurrencyPageIndex);

    // The banners' language follows the language switch.
    BannerView* banner = m_mainWindow->Banner();
    banner->ReadCount = [this] {
        return m_settings->Integer(SettingsStore::Key::BannerCount).value_or(0);
    };
    banner->WriteCount = [this](int n) {
        m_settings->SetInteger(SettingsStore::Key::BannerCount, n);
    };
    banner->LoadWhenShown = true;

    m_mainWindow->PlaceOnScreen();
    if (!StartsHidden(m_options.arguments)) {
        m_mainWindow->show();
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    } else if (!m_mainWindow->TrayAvailable()) {
        // Hidden with no icon to come back by, the program could be neither seen nor ended.
        m_mainWindow->showMinimized();
    }
    if (m_atStart.firstStart)
        if (auto* amount = m_mainWindow->findChild<QWidget*>(QStringLiteral("edt_waehrung1")))
            amount->setFocus();
    // The table (for German), the notification-area icon and the start-up update begin once
    // the window is up: after its first frame, or at once when the program starts without
    // showing it. The update never holds up input.
    const auto later = [this] {
        m_mainWindow->FinishStart();
        // The defaults found missing at start reach the file once the window is up.
        m_settings->WritePendingDefaults();
        m_mainWindow->AddTrayIcon();
        if (WhenUp)
            WhenUp();
        m_languageSwitch->LoadTableNow();
        if (m_choices.autoUpdate)
            m_update->UpdateExchangeRates(false);
    };
    if (m_mainWindow->isVisible() && !m_mainWindow->isMinimized())
        m_mainWindow->AfterFirstPaint = later;
    else
        QTimer::singleShot(0, m_mainWindow.get(), later);
}

void Program::saveTape()
{
    const QString file =
        AskTapeFile
            ? AskTapeFile()
            : QFileDialog::getSaveFileName(m_tapeWindow.get(), QStringLiteral("Speichern unter…"),
                                           QStringLiteral("Rechenstreifen.txt"));
    if (file.isEmpty())
        return;
    const QByteArray text = m_mainWindow->Calculator().Tape().FileText(
        QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")), NativeLineEnd());
    if (!WriteFileWhole(file, text)) {
        const auto* failed =
            m_tapeWindow->findChild<QAction*>(QStringLiteral("lbl_streifen_fehler"));
        m_mainWindow->Messages().ShowMessage(MessageKind::Warning, failed->text() + u' ' + file);
    }
}

void Program::setUpSession()
{
    const bool restore = m_settings->Bool(SettingsStore::Key::RestoreSession).value_or(true);
    m_session = new SessionKeeper(*m_mainWindow, StateFile(), restore);
    // Read once the window is up (with the rest of FinishStart), written when the program ends.
    m_mainWindow->RestoreSession = [this] { m_session->Restore(); };
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, m_session,
                     [this] { m_session->SaveNow(); });
    m_session->AddCheckBox(
        [this](bool checked) { m_settings->SetBool(SettingsStore::Key::RestoreSession, checked); },
        [this](QWidget* box) { ApplyToForm(*m_translations, *m_mainWindow, m_language, box); });
}

void Program::setUpWebUpdate()
{
    using Key = SettingsStore::Key;
    TransferLimits limits;
    if (const auto timeout = m_settings->Integer(Key::TransferTimeout); timeout && *timeout > 0)
        limits.timeoutMs = *timeout;
    m_web = std::make_unique<WebClient>(limits);
    m_web->SetProxy(m_proxy);
    WebHosts hosts;
    if (const auto host = m_settings->Text(Key::UpdateHost); host && !host->trimmed().isEmpty())
        hosts.update = QUrl(host->trimmed());
    if (const auto host = m_settings->Text(Key::ReportHost); host && !host->trimmed().isEmpty())
        hosts.report = QUrl(host->trimmed());
    if (const auto xml = m_settings->Text(Key::ReferenceRates); xml && !xml->trimmed().isEmpty())
        hosts.referenceRates = QUrl(xml->trimmed());

    auto* currency = m_mainWindow->findChild<CurrencyPage*>();
    WebUpdate::Hooks hooks;
    hooks.suspendAlwaysOnTop = [this](bool suspended) { SuspendAlwaysOnTop(suspended); };
    hooks.notice = [this](bool shown) {
        MessageSink& messages = m_mainWindow->Messages();
        const QString running = m_mainWindow->Texts().Entry(60) + QStringLiteral("...");
        ++m_noticeShown;
        if (shown) {
            messages.ShowMessage(MessageKind::Notice, running);
        } else if (m_buttonUpdate && !m_updateOutcome.isEmpty()) {
            // The button's notice says what came of it for a while; the start-up update stays
            // quiet.
            messages.ShowMessage(MessageKind::Notice,
                                 running + QStringLiteral(" ") + m_updateOutcome);
            QTimer::singleShot(kOutcomeShownMs, m_mainWindow.get(), [this, shown = m_noticeShown] {
                if (m_noticeShown == shown)
                    m_mainWindow->Messages().ShowMessage(MessageKind::Close, QString());
            });
        } else {
            messages.ShowMessage(MessageKind::Close, QString());
        }
    };
    hooks.outcome = [this, currency](RateUpdateResult result) {
        m_updateOutcome = currency ? currency->ShowUpdateOutcome(result) : QString();
    };
    hooks.loadRates = [currency] {
        if (currency)
            currency->LoadExchangeRates();
    };
    hooks.searchNewVersion = [this] {
        // A value that cannot be read stops the check as "false" does.
        return m_settings->Bool(Key::SearchNewVersion).value_or(false);
    };
    hooks.stopSearching = [this] { m_settings->SetBool(Key::SearchNewVersion, false); };
    hooks.openPage = [](const QUrl& page) { OpenAddress(page); };
    hooks.endProgram = [] { QCoreApplication::quit(); };
    hooks.dialogParent = m_mainWindow.get();
    m_update = std::make_unique<WebUpdate>(*m_web, hosts, ProgramFolder::UserDataPath(),
                                           QStringLiteral(QUORVANTA_VERSION), std::move(hooks));
    if (currency)
        QObject::connect(currency, &CurrencyPage::UpdateRequested, m_mainWindow.get(), [this] {
            m_buttonUpdate = true;
            m_updateOutcome.clear();
            m_update->UpdateExchangeRates(true);
            m_buttonUpdate = false;
        });
}

void Program::askForUpdate()
{
    UpdateQuestionDialog dialog;
    dialog.Chosen = [this](bool autoUpdate) {
        m_settings->SetBool(SettingsStore::Key::AutoUpdate, autoUpdate);
    };
    dialog.exec();
}

void Program::ShowMainWindow()
{
    m_mainWindow->menuItem_openClick();
}

void Program::showSettingBoxes()
{
    if (auto* currency = m_mainWindow->findChild<CurrencyPage*>())
        currency->ShowSettings({m_choices.alwaysOnTop, m_choices.autoUpdate, m_autostart->Exists(),
                                m_atStart.writable});
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
        // The box says whether the entry is there, also when it could not be written.
        if (m_autostart->Exists() != checked)
            showSettingBoxes();
    }
}

void Program::SaveLanguage(int code)
{
    m_language = code;
    ::SaveLanguage(*m_settings, code);
}

int ProgramMain(int argc, char** argv)
{
    const QString platform =
        ChoosePlatform({qEnvironmentVariable("WAYLAND_DISPLAY"),
                        qEnvironmentVariable("QT_QPA_PLATFORM"), qEnvironmentVariable("DISPLAY")});
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.toLatin1());
    // The fonts are made ready beside the application's own start.
    BeginProgramFonts();
    // An exception out of any event handler ends in the error dialog instead of the program.
    ReportingApplication app(argc, argv);
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
    // Later starts are heard from once the window is up; until then they keep trying.
    program.WhenUp = [&instance] { instance.Listen(); };
    program.Start();
    // From here every uncaught error ends in the error dialog; a crash of the last run shows now.
    const QString crashFile = DefaultCrashFilePath();
    InstallExceptionDialog(ReportingSetupFrom(program.Settings(), program.Proxy()), crashFile);
    QTimer::singleShot(0, &app, [crashFile] { ShowCrashReport(crashFile); });
    const int result = QApplication::exec();
    RemoveExceptionDialog();
    return result;
}
