#include "shell/main_window.h"

#include "common/control_texts.h"
#include "common/program_version.h"
#include "currency/ui/currency_page.h"
#include "formulas/ui/formula_page.h"
#include "keypad/engine/keypad_table.h"
#include "keypad/ui/keypad_page.h"
#include "keypad/ui/tape_window.h"
#include "pipes/ui/pipe_page.h"
#include "platform/open_address.h"
#include "platform/program_folder.h"
#include "platform/program_pictures.h"
#include "platform/tray_icon.h"
#include "platform/window_placement.h"
#include "shell/backdrop_window.h"
#include "shell/banner_view.h"
#include "shell/message_rules.h"
#include "shell/title_bar.h"
#include "shell/tray_rules.h"
#include "shell/update_dialogs.h"
#include "units/ui/unit_page.h"
#include "widgets/align_edit.h"
#include "widgets/memory_grid.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {
constexpr int kTitleBarHeight = 22;
// The strip below the pages is kept free for the banner.
constexpr int kBannerStripHeight = 66;
// The caption starts right of the logo.
constexpr int kTitleCaptionLeft = 24;

// The keypad and the formula page show the same memory registers: the page entered takes
// the other grid's current cell and scroll position.
void alignMemoryGrid(MemoryGridWidget* from, QScrollArea* fromBox, MemoryGridWidget* to,
                     QScrollArea* toBox)
{
    if (!from || !fromBox || !to || !toBox)
        return;
    to->SetCurrentCell(from->CurrentRow(), from->CurrentColumn());
    toBox->verticalScrollBar()->setValue(fromBox->verticalScrollBar()->value());
}

// Five captions side by side in 372 pixels: tabs with less padding than the style's.
class CompactTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};
} // namespace

MainWindow::MainWindow(KeyFilterServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_feedback(services.feedback),
      m_clipboard(services.clipboard), m_messages(services.feedback, this),
      m_keypadTexts(KeypadControlTexts()), m_calculator(m_display, services)
{
    setObjectName(QStringLiteral("Tfrm_calc"));
    setProperty(ReportedClassNameProperty, QStringLiteral("Tfrm_calc"));
    setWindowTitle(QStringLiteral("Quorvanta"));
    setFixedSize(ClientWidth, ClientHeight);

    m_titleBar = new TitleBar(QStringLiteral("Quorvanta"), this);
    m_titleBar->setObjectName(QStringLiteral("img_move"));
    m_titleBar->setGeometry(0, 0, ClientWidth, kTitleBarHeight);
    m_titleBar->SetCaptionLeft(kTitleCaptionLeft);
    m_titleBar->HintVersion()->setToolTip(QStringLiteral("Version ") + ProgramVersionText(false));
    connect(m_titleBar, &TitleBar::dragged, this, [this](QPoint to) { move(to); });
    connect(m_titleBar, &TitleBar::hovered, &m_effect, &ImageButtonEffect::DrawFlat);

    // The title bar's image buttons from the right; img_sprache goes left of them.
    const struct {
        const char* name;
        const char* face; // drawn while its picture is missing
        int right;        // distance of its right edge from the window's
        void (MainWindow::*click)();
    } titleButtons[] = {
        {"img_off", "×", 2, &MainWindow::img_offClick},
        {"img_minimize", "_", 24, &MainWindow::img_minimizeClick},
        {"img_fullscreen", "□", 46, &MainWindow::img_fullscreenClick},
        {"img_tellafriend", "@", 68, &MainWindow::img_tellafriendClick},
    };
    for (const auto& b : titleButtons) {
        auto* button = new ImageButton(QString::fromUtf8(b.face), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(ClientWidth - b.right - 20, 2, 20, 18);
        button->SetEffect(&m_effect);
        button->SetKeyboardReachable();
        connect(button, &ImageButton::clicked, this, b.click);
    }
    auto* logo = new ImageButton(QStringLiteral("Q"), this);
    logo->setObjectName(QStringLiteral("img_logo1"));
    logo->setGeometry(2, 2, 18, 18);
    logo->SetEffect(&m_effect);
    logo->SetKeyboardReachable();
    logo->setToolTip(QLatin1String(kMakerWebAddress));
    connect(logo, &ImageButton::clicked, this, &MainWindow::img_logo1Click);
    TrayAvailable = [] { return TrayIcon::Available(); };

    // The icon's menu belongs to the window, so that it is translated with it and is there
    // for the driver also where the desktop has no notification area.
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("popup_systray"));
    QAction* open = m_trayMenu->addAction(QString());
    open->setObjectName(QStringLiteral("menuItem_open"));
    connect(open, &QAction::triggered, this, &MainWindow::menuItem_openClick);
    QAction* quit = m_trayMenu->addAction(QString());
    quit->setObjectName(QStringLiteral("menuItem_close"));
    connect(quit, &QAction::triggered, this, &MainWindow::menuItem_closeClick);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pco_main"));
    m_pages->setGeometry(0, kTitleBarHeight, ClientWidth,
                         ClientHeight - kTitleBarHeight - kBannerStripHeight);
    auto* tabStyle = new CompactTabStyle;
    tabStyle->setParent(m_pages->tabBar());
    m_pages->tabBar()->setStyle(tabStyle);

    m_keypad = new KeypadPage(m_calculator, m_effect, m_texts, m_keypadTexts);
    m_pages->addTab(m_keypad, QStringLiteral("Rechner"));
    m_formulas = new FormulaPage(m_calculator, m_texts, services, &m_effect);
    m_pages->addTab(m_formulas, QStringLiteral("Formeln"));
    m_currency = new CurrencyPage(services, &m_effect);
    m_pages->addTab(m_currency, QStringLiteral("Währungen"));
    m_units = new UnitPage(services);
    m_pages->addTab(m_units, QStringLiteral("SI-Einheiten"));
    m_pipes = new PipePage(services, &m_effect);
    // Said once, holding up neither the start nor the other pages and leaving the keyboard
    // where it is: only the pipe page needs the table, and it goes on with an empty one.
    connect(m_pipes, &PipePage::PipeFileMissing, this, [this](const QString& message) {
        auto* box =
            new QMessageBox(QMessageBox::Warning, windowTitle(), message, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->setAttribute(Qt::WA_ShowWithoutActivating);
        box->show();
    });
    // German until the settings say otherwise; read once the window is up.
    m_pipes->LoadPipeFileLater(1);
    m_pages->addTab(m_pipes, QStringLiteral("Rohrauslegung"));
    connect(m_pages, &QTabWidget::currentChanged, this, &MainWindow::pco_mainChange);
    addPageKeys();
    connect(m_keypad, &KeypadPage::img_rechenstreifen_wechselClick, this,
            &MainWindow::img_rechenstreifen_wechselClick);

    m_banner = new BannerView(this);
    m_banner->setGeometry(2, ClientHeight - kBannerStripHeight + 2, 367, 62);
    m_banner->Folder = ProgramFolder::FilePath(QStringLiteral("banner"));
    m_banner->OpenLink = [](const QString& address) { OpenAddress(QUrl(address)); };
    // Said without holding up the start or the rotation: the program goes on without banners.
    m_banner->ShowMissingFiles = [this] {
        ShowMissingFiles(m_banner->Folder, QStringLiteral("banner_missing"));
    };

    m_chromeTexts = ChromeControlTexts();
    RetranslateChrome();
    LoadTitleImages();
    connectErrorSignals();
    m_keypad->FocusResult();
}

ControlTexts ChromeControlTexts()
{
    using P = TextProperty;
    return ControlTexts({
        {QStringLiteral("menuItem_open"), P::Caption, QStringLiteral("Quorvanta öffnen")},
        {QStringLiteral("menuItem_close"), P::Caption, QStringLiteral("Quorvanta schliessen")},
        {QStringLiteral("img_tellafriend"), P::Hint, QStringLiteral("Programm weiterempfehlen")},
        {QStringLiteral("img_fullscreen"), P::Hint, QStringLiteral("Hintergrund ein/aus")},
        {QStringLiteral("img_minimize"), P::Hint, QStringLiteral("Minimieren")},
        {QStringLiteral("img_off"), P::Hint, QStringLiteral("In den Infobereich ausblenden")},
    });
}

void MainWindow::addPageKeys()
{
    // The tab widget's own keys, from anywhere in the window, not only from its tab bar:
    // Ctrl+Tab and Ctrl+PageDown the next page, with Shift or PageUp the previous one;
    // Alt+1 … Alt+5 a page of its own.
    const auto step = [this](int by) {
        const int count = m_pages->count();
        m_pages->setCurrentIndex((m_pages->currentIndex() + by + count) % count);
    };
    const auto add = [this](QKeySequence keys, std::function<void()> run) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, std::move(run));
    };
    for (const QKeyCombination next : {Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown})
        add(QKeySequence(next), [step] { step(1); });
    for (const QKeyCombination previous :
         {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::SHIFT | Qt::Key_Tab,
          Qt::CTRL | Qt::Key_PageUp})
        add(QKeySequence(previous), [step] { step(-1); });
    for (int page = 0; page < m_pages->count(); ++page)
        add(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + page)),
            [this, page] { m_pages->setCurrentIndex(page); });
}

void MainWindow::RetranslateChrome()
{
    m_chromeTexts.ApplyTo(*this);
}

void MainWindow::LoadTitleImages()
{
    const struct {
        const char* name;
        const char* file;
    } images[] = {
        {"img_fullscreen", "images\\full.cc1"}, {"img_minimize", "images\\on.cc1"},
        {"img_off", "images\\off.cc1"},         {"img_tellafriend", "images\\tellafriend.cc1"},
        {"img_logo1", "images\\logo.cc1"},
    };
    for (const auto& i : images) {
        const QImage picture = ReadBitmapPicture(QString::fromLatin1(i.file));
        auto* button = findChild<ImageButton*>(QString::fromLatin1(i.name));
        if (button && !picture.isNull())
            button->SetPicture(picture);
    }
}

void MainWindow::img_fullscreenClick()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.left() + CentredOffset(area.width(), frameGeometry().width()),
         area.top() + CentredOffset(area.height(), frameGeometry().height()));
    const bool chosenOnTop = AlwaysOnTopChosen && AlwaysOnTopChosen();
    if (m_backdrop) {
        if (!chosenOnTop) {
            SetTopmost(this, false);
            if (m_tape)
                SetTopmost(m_tape, false);
        }
        m_backdrop.reset();
        return;
    }
    // The program stays in front of its backdrop.
    if (!chosenOnTop) {
        SetTopmost(this, true);
        if (m_tape && m_tape->isVisible())
            SetTopmost(m_tape, true);
    }
    m_backdrop = std::make_unique<BackdropWindow>(
        ProgramFolder::FilePath(QStringLiteral("images\\background.cc1")), area);
    m_backdrop->show();
    raise();
    if (m_tape && m_tape->isVisible())
        m_tape->raise();
    activateWindow();
}

void MainWindow::img_tellafriendClick()
{
    OpenAddress(TellAFriendMail(m_texts.Entry(54), m_texts.Entry(55)));
}

void MainWindow::img_logo1Click()
{
    OpenAddress(QUrl(QStringLiteral("http://") + QLatin1String(kMakerWebAddress)));
}

void MainWindow::AddTrayIcon()
{
    if (m_tray || !TrayAvailable())
        return;
    m_tray = new TrayIcon(m_trayMenu, this);
    connect(m_tray, &TrayIcon::openRequested, this, &MainWindow::TrayIconClicked);
    m_tray->Show();
}

void MainWindow::img_offClick()
{
    if (PutAwayFor(TrayAvailable()) == PutAway::Minimize) {
        img_minimizeClick();
        return;
    }
    // TapeShown keeps whether the user wants the tape: it comes back with the window.
    if (m_tape)
        m_tape->hide();
    if (m_backdrop)
        m_backdrop->hide();
    hide();
}

void MainWindow::img_minimizeClick()
{
    if (m_tape)
        m_tape->hide();
    showMinimized();
}

void MainWindow::menuItem_openClick()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    if (m_backdrop)
        m_backdrop->show();
    show();
    raise();
    activateWindow();
    if (m_tape && TapeShown && m_pages->currentIndex() == KeypadPageIndex)
        showTape();
}

void MainWindow::TrayIconClicked()
{
    // While the program asks about an update, the icon waits for the answer.
    for (QWidget* w : QApplication::topLevelWidgets())
        if ((qobject_cast<NewVersionDialog*>(w) || qobject_cast<UpdateQuestionDialog*>(w)) &&
            w->isVisible())
            return;
    menuItem_openClick();
}

void MainWindow::menuItem_closeClick()
{
    m_quitting = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!CloseEndsProgram(TrayAvailable(), m_quitting)) {
        event->ignore();
        img_offClick();
        return;
    }
    if (m_tray)
        m_tray->Remove();
    if (m_tape)
        m_tape->hide();
    m_backdrop.reset();
    QWidget::closeEvent(event);
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Back from the task bar: the tape comes along if the user had it on.
    if (event->type() == QEvent::WindowStateChange && !isMinimized() && isVisible() && m_tape &&
        TapeShown && m_pages->currentIndex() == KeypadPageIndex && !m_tape->isVisible())
        showTape();
}

MainWindow::~MainWindow()
{
    // The pages refer to the engines held here: they go while those still exist.
    delete m_pages;
}

void MainWindow::connectErrorSignals()
{
    for (AlignEdit* field : findChildren<AlignEdit*>())
        connect(field, &AlignEdit::errorSignal, this, [this](int n) { m_feedback.ErrorSignal(n); });
}

void MainWindow::AttachTape(TapeWindow* tape)
{
    m_tape = tape;
    tape->SetEffect(&m_effect);
    tape->OnClear = [this] {
        m_calculator.Tape().Clear();
        m_keypad->Refresh();
        m_keypad->FocusResult();
    };
    tape->OnRecall = [this](const QString& line) {
        if (m_calculator.RecallTapeLine(line))
            m_keypad->Refresh();
    };
    tape->OnCopy = [this](const QString& text) { m_clipboard.SetText(text); };
    connect(m_keypad, &KeypadPage::CalculationChanged, tape,
            [this] { m_tape->ShowTape(m_calculator.Tape()); });
    tape->ShowTape(m_calculator.Tape());
    tape->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The tape takes no keys of the calculation: when a window system activates it (on
    // showing it, or on a click), the keyboard goes back to the calculator once that has
    // settled, unless a click chose a line of the tape (for Enter and Ctrl+C).
    if (watched == m_tape && event->type() == QEvent::WindowActivate && isVisible())
        QTimer::singleShot(0, this, [this] {
            if (isVisible() && !isActiveWindow() && !m_tape->TakesKeys())
                activateWindow();
        });
    return QWidget::eventFilter(watched, event);
}

void MainWindow::ShowMissingFiles(const QString& where, const QString& name)
{
    auto* box = new QMessageBox(QMessageBox::Critical, m_texts.Entry(1),
                                m_texts.Entry(0) + QStringLiteral(" (") + where + u')',
                                QMessageBox::Ok, this);
    box->setObjectName(name);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::PlaceOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const int x =
        std::max(area.left() + TapeWindow::ClientWidth, area.left() + (area.width() - width()) / 2);
    const int y = std::max(area.top(), area.top() + (area.height() - height()) / 2);
    move(x, y);
}

void MainWindow::showTape()
{
    m_tape->DockTo(frameGeometry());
    m_tape->show();
}

void MainWindow::img_rechenstreifen_wechselClick()
{
    if (!m_tape)
        return;
    if (m_tape->isVisible()) {
        TapeShown = false;
        m_tape->hide();
    } else {
        TapeShown = true;
        showTape();
    }
    m_keypad->SetTapeHint(TapeShown);
    m_keypad->FocusResult();
}

void MainWindow::pco_mainChange(int index)
{
    auto* keypadBox = m_keypad->findChild<QScrollArea*>(QStringLiteral("scx_speicher"));
    if (m_shownPage == FormulaPageIndex)
        m_formulas->pco_mainChanging();
    if (index == FormulaPageIndex) {
        alignMemoryGrid(m_keypad->MemoryGrid(), keypadBox, m_formulas->MemoryGrid(),
                        m_formulas->MemoryBox());
        m_formulas->pco_mainChange();
    } else if (index == KeypadPageIndex) {
        alignMemoryGrid(m_formulas->MemoryGrid(), m_formulas->MemoryBox(), m_keypad->MemoryGrid(),
                        keypadBox);
        m_keypad->Refresh();
    }
    m_shownPage = index;
    if (!m_tape)
        return;
    if (index != KeypadPageIndex) {
        m_tape->hide();
        return;
    }
    if (TapeShown)
        showTape();
    m_keypad->FocusResult();
}

void MainWindow::FinishStart()
{
    m_pipes->ReadPendingPipeFile();
    m_currency->ReadPendingRates();
    if (m_tape)
        m_tape->BuildText();
    if (auto restore = std::exchange(RestoreSession, nullptr))
        restore();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (m_tape)
        m_tape->DockTo(frameGeometry());
}

void MainWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0x97, 0xA4, 0xA1));
    // Queued now, it runs once this frame with all its controls is out.
    if (!m_painted && !isMinimized()) {
        m_painted = true;
        if (AfterFirstPaint)
            QTimer::singleShot(0, this, AfterFirstPaint);
    }
}
