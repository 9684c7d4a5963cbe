#include "shell/session_keeper.h"

#include "formulas/engine/formula_catalogue.h"
#include "formulas/ui/formula_page.h"
#include "keypad/ui/keypad_page.h"
#include "shell/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

namespace {
// The notice of a state file set aside; its text comes from the translation table.
constexpr char kBrokenNotice[] = "lbl_sitzung_defekt";
constexpr char kSessionBox[] = "chk_sitzung";

bool onSomeScreen(const QPoint& topLeft, const QSize& size)
{
    // The title bar must be reachable: a window whose top strip is on no screen is lost.
    const QRect strip(topLeft, QSize(size.width(), 30));
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersected(strip).width() >= 50)
            return true;
    return false;
}
} // namespace

SessionKeeper::SessionKeeper(MainWindow& window, StateFile file, bool enabled)
    : QObject(&window), m_window(window), m_file(std::move(file)), m_enabled(enabled)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(SaveDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { SaveNow(); });
    // An action never shown, so that the translation table reaches the notice's text.
    auto* notice = new QAction(QStringLiteral("Die letzte Sitzung konnte nicht gelesen werden. "
                                              "Die Datei wurde als state.broken beiseitegelegt."),
                               &window);
    notice->setObjectName(QString::fromLatin1(kBrokenNotice));
    if (auto* keypad = window.findChild<KeypadPage*>())
        connect(keypad, &KeypadPage::CalculationChanged, this, [this] { Changed(); });
    connect(window.Pages(), &QTabWidget::currentChanged, this, [this] { Changed(); });
}

void SessionKeeper::Restore()
{
    if (!m_enabled || m_keeping)
        return;
    const StateFile::Content content = m_file.Read();
    if (content.presence == StateFile::Presence::Missing) {
        m_keeping = true;
        return;
    }
    const SessionReadResult read = content.presence == StateFile::Presence::Present
                                       ? ReadSessionState(content.bytes)
                                       : SessionReadResult{};
    if (read.status == SessionReadStatus::Broken) {
        // Kept only when it could be set aside: an unread file is never written over.
        m_keeping = m_file.SetAside();
        const auto* notice = m_window.findChild<QAction*>(QString::fromLatin1(kBrokenNotice));
        m_window.Messages().ShowMessage(MessageKind::Notice, notice->text());
        return;
    }
    Apply(read.state);
    m_keeping = true;
}

void SessionKeeper::Changed()
{
    if (m_enabled && m_keeping && !m_timer.isActive())
        m_timer.start();
}

void SessionKeeper::SaveNow()
{
    m_timer.stop();
    if (m_enabled && m_keeping)
        m_file.Write(WriteSessionState(Collect()));
}

void SessionKeeper::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    // Switched on during a run, this session is the one to keep from now on.
    if (enabled)
        m_keeping = true;
    else
        m_timer.stop();
}

void SessionKeeper::AddCheckBox(std::function<void(bool)> saved,
                                std::function<void(QWidget*)> translate)
{
    m_saved = std::move(saved);
    m_translate = std::move(translate);
    // The currency page makes its controls when it is first shown.
    if (auto* page = m_window.findChild<QWidget*>(QStringLiteral("tsh_waehrungsrechner")))
        page->installEventFilter(this);
    addCheckBoxNow();
}

bool SessionKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show)
        QTimer::singleShot(0, this, [this] { addCheckBoxNow(); });
    return QObject::eventFilter(watched, event);
}

void SessionKeeper::addCheckBoxNow()
{
    auto* group = m_window.findChild<QGroupBox*>(QStringLiteral("gbo_einstellungen"));
    if (!group || group->findChild<QCheckBox*>(QString::fromLatin1(kSessionBox)))
        return;
    // Below the group's three boxes, 21 pixels apart; the group grows by one row.
    auto* box = new QCheckBox(QStringLiteral("Beim Start letzte Sitzung wiederherstellen"), group);
    box->setObjectName(QString::fromLatin1(kSessionBox));
    box->setGeometry(10, 22 + 3 * 21, group->width() - 20, 20);
    group->resize(group->width(), group->height() + 21);
    box->setChecked(m_enabled);
    if (m_translate)
        m_translate(box);
    box->show();
    connect(box, &QCheckBox::clicked, this, [this](bool checked) {
        SetEnabled(checked);
        if (m_saved)
            m_saved(checked);
    });
}

SessionState SessionKeeper::Collect() const
{
    SessionState s;
    KeypadPageModel& calc = m_window.Calculator();
    for (int slot = 0; slot < SessionState::SlotCount; ++slot)
        s.memory[slot] = calc.Memory().Value(slot);
    s.tape = calc.Tape().Lines();
    s.fixDecimals = m_window.Display().FixDecimals;
    s.angleMode = int(calc.GetAngleMode());
    s.page = m_window.Pages()->currentIndex();
    if (auto* formulas = m_window.findChild<FormulaPage*>()) {
        const FormulaPageModel& c = formulas->PageModel();
        for (int g = 0; g < FormulaPageModel::GroupCount; ++g)
            s.formulas.push_back(FormulaGroup(g) == c.ActiveGroup ? c.ListIndex[g]
                                                                  : c.GroupFormulaIndex[g]);
    }
    s.windowPosition = m_window.pos();
    s.tapeShown = m_window.TapeShown;
    return s;
}

void SessionKeeper::Apply(const SessionState& s)
{
    KeypadPageModel& calc = m_window.Calculator();
    for (int slot = 0; slot < SessionState::SlotCount; ++slot)
        calc.Memory().Store(slot, s.memory[slot]);
    calc.Tape().SetLines(s.tape);
    CalcDisplay& display = m_window.Display();
    if (display.FixDecimals != s.fixDecimals) {
        display.FixDecimals = s.fixDecimals;
        if (display.FixDecimalsChanged)
            display.FixDecimalsChanged();
    }
    auto* keypad = m_window.findChild<KeypadPage*>();
    if (keypad && s.angleMode != int(calc.GetAngleMode())) {
        if (s.angleMode == 1)
            keypad->rbo_radClick();
        else if (s.angleMode == 2)
            keypad->rbo_graClick();
        else
            keypad->rbo_degClick();
    }
    if (auto* formulas = m_window.findChild<FormulaPage*>()) {
        FormulaPageModel& c = formulas->PageModel();
        for (int g = 0; g < FormulaPageModel::GroupCount && g < int(s.formulas.size()); ++g)
            if (s.formulas[g] < FormulaCatalogue::GroupItems(FormulaGroup(g)).size()) {
                c.GroupFormulaIndex[g] = s.formulas[g];
                c.ListIndex[g] = s.formulas[g];
            }
        c.SavedFormulaIndex = c.ListIndex[size_t(c.ActiveGroup)];
    }
    if (s.windowPosition && onSomeScreen(*s.windowPosition, m_window.frameGeometry().size()))
        m_window.move(*s.windowPosition);
    if (keypad)
        keypad->Refresh();
    const bool up = m_window.isVisible() && !m_window.isMinimized();
    if (s.tapeShown && !m_window.TapeShown) {
        if (up && m_window.Pages()->currentIndex() == MainWindow::KeypadPageIndex)
            m_window.img_rechenstreifen_wechselClick();
        else
            m_window.TapeShown = true;
    }
    if (s.page >= 0 && s.page < m_window.Pages()->count())
        m_window.Pages()->setCurrentIndex(s.page);
}
