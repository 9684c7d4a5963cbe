// MainWindow: the borderless main window. It keeps the chrome (its own title bar), the page
// switching and the docked tape window; each page is its own class. It owns the engines
// the pages share: the calculator's display and controller.
#pragma once

#include "common/calc_display.h"
#include "common/control_texts.h"
#include "common/mc_strings.h"
#include "keypad/engine/keypad_page_model.h"
#include "shell/message_dialog.h"
#include "widgets/image_button.h"

#include <QWidget>

#include <functional>
#include <memory>

class BannerView;
class CurrencyPage;
class FormulaPage;
class KeypadPage;
class PipePage;
class QMenu;
class QTabWidget;
class BackdropWindow;
class TitleBar;
class TrayIcon;
class TapeWindow;
class UnitPage;

// Captions and hints of the chrome (title-bar images, the notification-area menu), German.
ControlTexts ChromeControlTexts();

class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 372;
    static constexpr int ClientHeight = 582;
    static constexpr int KeypadPageIndex = 0;
    static constexpr int FormulaPageIndex = 1;

    explicit MainWindow(KeyFilterServices services, QWidget* parent = nullptr);
    ~MainWindow() override;

    CalcDisplay& Display() { return m_display; }
    KeypadPageModel& Calculator() { return m_calculator; }
    QTabWidget* Pages() const { return m_pages; }
    ImageButtonEffect& ButtonEffect() { return m_effect; }
    // "MC_strings", the general texts every page shares.
    McStrings& Texts() { return m_texts; }
    // Captions and hints of the keypad page; the language switch replaces entries.
    ControlTexts& KeypadTexts() { return m_keypadTexts; }
    // The program's message dialog, for every page (a MessageSink).
    MessageDialogService& Messages() { return m_messages; }

    // Docks the tape window to this window and wires its keys.
    void AttachTape(TapeWindow* tape);
    bool TapeShown = false; // the user switched the tape on

    // The first place of the window: centred on the screen, with room on its left for
    // the docked tape.
    void PlaceOnScreen();

    void img_rechenstreifen_wechselClick();

    // "Some program files could not be found" with the missing file or folder, in a box named
    // `name` that holds up neither the start nor the window.
    void ShowMissingFiles(const QString& where, const QString& name);

    // The chrome: putting the program away and bringing it back, with the tape window.
    BannerView* Banner() const { return m_banner; }
    std::function<bool()> TrayAvailable; // the desktop has a notification area
    void AddTrayIcon();
    void img_offClick();
    void img_minimizeClick();
    void menuItem_openClick(); // also a left click on the icon and a second start
    void menuItem_closeClick();
    // A left click on the notification-area icon.
    void TrayIconClicked();
    void pco_mainChange(int index);

    // The backdrop behind the program, and the links of the title bar and the page logos.
    void img_fullscreenClick();
    bool BackdropOpen() const { return m_backdrop != nullptr; }
    std::function<bool()> AlwaysOnTopChosen; // chk_onTop is checked
    void img_tellafriendClick();
    void img_logo1Click();
    // The chrome's captions and hints; a translation replaces them, then RetranslateChrome().
    ControlTexts& ChromeTexts() { return m_chromeTexts; }
    void RetranslateChrome();
    // "images\full.cc1" and the other title-bar pictures; a missing one keeps the drawn face.
    void LoadTitleImages();
    // Runs once, right after the window's first frame is painted: work the start leaves for
    // later.
    std::function<void()> AfterFirstPaint;
    // Makes what the start leaves for after the first frame: the pipe table, the exchange
    // rates and the tape's text area (each also comes when its page or window first shows).
    // Called with the rest of the later work; a second call finds nothing left to do.
    void FinishStart();
    // Runs once at the end of FinishStart: the last session comes back.
    std::function<void()> RestoreSession;

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectErrorSignals();
    void addPageKeys();
    void showTape();

    bool m_painted = false;
    UserFeedback& m_feedback;
    TextClipboard& m_clipboard;
    MessageDialogService m_messages;
    McStrings m_texts;
    ControlTexts m_keypadTexts;
    CalcDisplay m_display;
    KeypadPageModel m_calculator;
    ImageButtonEffect m_effect;
    QTabWidget* m_pages = nullptr;
    KeypadPage* m_keypad = nullptr;
    FormulaPage* m_formulas = nullptr; // tsh_formelrechner
    int m_shownPage = KeypadPageIndex;
    CurrencyPage* m_currency = nullptr; // tsh_waehrungsrechner
    UnitPage* m_units = nullptr;        // tsh_einheiten
    PipePage* m_pipes = nullptr;        // tshRohrauslegung
    TitleBar* m_titleBar = nullptr;
    TapeWindow* m_tape = nullptr;
    BannerView* m_banner = nullptr; // Img_Banner
    TrayIcon* m_tray = nullptr;
    QMenu* m_trayMenu = nullptr; // popup_systray, also without a notification area
    std::unique_ptr<BackdropWindow> m_backdrop;
    ControlTexts m_chromeTexts;
    bool m_quitting = false; // "Quorvanta schliessen" was chosen
};
