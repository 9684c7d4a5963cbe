#include "script_runner.h"

#include "json_text.h"
#include "shell/main_window.h"
#include "shell/message_rules.h"
#include "shell/text_inventory.h"
#include "widget_text.h"
#include "widgets/memory_grid.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <stdexcept>

namespace {

// The rest of the line after `words` words and the blank that follows them.
QString restAfterWords(const QString& line, int words)
{
    int pos = 0;
    for (int i = 0; i < words; ++i) {
        while (pos < line.size() && line[pos] != u' ')
            ++pos;
        if (pos < line.size())
            ++pos;
    }
    return line.mid(pos);
}

// The dialog in front: a modal one, or else a notice that is up without waiting for anyone.
QWidget* openDialog()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog*>(w) && w->isVisible())
            return w;
    return nullptr;
}

// Every shown, not minimised window painted at its place, as a user sees them together (the
// docked tape beside the main window, a dialog over it), on a plain desktop colour.
QImage screenPicture()
{
    QList<QWidget*> shown;
    QRect area;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->isMinimized() || w->width() <= 1)
            continue;
        shown.append(w);
        area |= w->geometry();
    }
    constexpr int margin = 12;
    area.adjust(-margin, -margin, margin, margin);
    // As many device pixels as the sharpest window has: its picture is not made smaller.
    qreal ratio = 1;
    for (const QWidget* w : shown)
        ratio = std::max(ratio, w->devicePixelRatioF());
    QImage picture((QSizeF(area.size().expandedTo(QSize(1, 1))) * ratio).toSize(),
                   QImage::Format_RGB32);
    picture.setDevicePixelRatio(ratio);
    picture.fill(QColor(0x5a, 0x6e, 0x82));
    // Dialogs over the windows they belong to, open menus over everything.
    const auto layer = [](QWidget* w) {
        return w->windowType() == Qt::Popup ? 2 : qobject_cast<QDialog*>(w) ? 1 : 0;
    };
    std::stable_sort(shown.begin(), shown.end(),
                     [&](QWidget* a, QWidget* b) { return layer(a) < layer(b); });
    QPainter painter(&picture);
    for (QWidget* w : shown)
        painter.drawPixmap(w->geometry().topLeft() - area.topLeft(), w->grab());
    return picture;
}

QPoint centre(QWidget* w)
{
    return w->rect().center();
}

// `select NAME INDEX` as a user would choose, so that the widget's handlers run.
QString selectIndex(QWidget* w, const QString& indexWord)
{
    bool ok = false;
    const int index = indexWord.toInt(&ok);
    if (!ok)
        return QStringLiteral("select needs an index");
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        if (index < 0 || index >= tabs->count())
            return QStringLiteral("no such page");
        tabs->setCurrentIndex(index);
    } else if (auto* bar = qobject_cast<QTabBar*>(w)) {
        bar->setCurrentIndex(index);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (index < 0 || index >= combo->count())
            return QStringLiteral("no such item");
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    } else if (auto* spin = qobject_cast<QSpinBox*>(w)) {
        spin->setValue(index);
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        list->setCurrentRow(index);
    } else {
        return QStringLiteral("nothing to select in this widget");
    }
    return {};
}

QString setChecked(QWidget* w, const QString& state)
{
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!button || (state != u"0" && state != u"1"))
        return QStringLiteral("check needs a check box and 0 or 1");
    if (button->isChecked() != (state == u"1"))
        button->click();
    return {};
}

// A click on the cell, as a user makes it current; the grid's own handlers see the click.
void clickCell(QAbstractItemView* view, const QModelIndex& index)
{
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    view->setCurrentIndex(index);
}

} // namespace

std::span<const ScriptRunner::Command> ScriptRunner::commands()
{
    using S = Shape;
    // One row per kind of script line: a new line is a new row here.
    static const Command table[] = {
        {"click", S::Name,
         [](ScriptRunner&, const Call& c) {
             QTest::mouseClick(c.widget, Qt::LeftButton, {}, centre(c.widget));
             return QString();
         }},
        {"press", S::Name,
         [](ScriptRunner&, const Call& c) {
             QTest::mousePress(c.widget, Qt::LeftButton, {}, centre(c.widget));
             return QString();
         }},
        {"release", S::Name,
         [](ScriptRunner&, const Call& c) {
             QTest::mouseRelease(c.widget, Qt::LeftButton, {}, centre(c.widget));
             return QString();
         }},
        {"hover", S::Name,
         [](ScriptRunner&, const Call& c) {
             // Through the top-level window, as a real pointer moves: the widget left behind
             // gets its leave and the one under the pointer its enter.
             QWidget* top = c.widget->window();
             if (QWindow* window = top->windowHandle())
                 QTest::mouseMove(window, c.widget->mapTo(top, centre(c.widget)));
             else
                 QTest::mouseMove(c.widget, centre(c.widget));
             return QString();
         }},
        {"focus", S::Name,
         [](ScriptRunner&, const Call& c) {
             c.widget->activateWindow();
             c.widget->setFocus(Qt::OtherFocusReason);
             return QString();
         }},
        {"key", S::Name,
         [](ScriptRunner& r, const Call& c) {
             KeyStroke stroke;
             if (!ParseKey(c.words.value(2), stroke))
                 return QStringLiteral("unknown key");
             r.focusForKeys(c.widget);
             r.sendKey(c.widget, stroke);
             return QString();
         }},
        {"type", S::NameText,
         [](ScriptRunner& r, const Call& c) {
             r.focusForKeys(c.widget);
             for (const QChar ch : c.text) {
                 KeyStroke stroke;
                 if (ParseKey(QString(ch), stroke))
                     r.sendKey(c.widget, stroke);
             }
             return QString();
         }},
        {"select", S::Name,
         [](ScriptRunner&, const Call& c) { return selectIndex(c.widget, c.words.value(2)); }},
        {"check", S::Name,
         [](ScriptRunner&, const Call& c) { return setChecked(c.widget, c.words.value(2)); }},
        {"cell", S::Cell,
         [](ScriptRunner&, const Call& c) {
             if (c.cell.isValid())
                 clickCell(static_cast<QAbstractItemView*>(c.widget), c.cell);
             else
                 QTest::mouseClick(
                     c.widget, Qt::LeftButton, {},
                     static_cast<MemoryGridWidget*>(c.widget)->CellRect(c.row, c.column).center());
             return QString();
         }},
        {"trigger", S::Action,
         [](ScriptRunner&, const Call& c) {
             c.action->trigger();
             return QString();
         }},
        {"clipboard", S::Text,
         [](ScriptRunner&, const Call& c) {
             QApplication::clipboard()->setText(c.text);
             return QString();
         }},
        {"print", S::Name,
         [](ScriptRunner& r, const Call& c) {
             const QString& name = c.words[1];
             if (c.words.size() < 3) {
                 r.m_out(name + u'=' + JsonString(WidgetText(c.widget)));
                 return QString();
             }
             const QString& prop = c.words[2];
             QString value;
             if (!WidgetProperty(c.widget, prop, value))
                 return QStringLiteral("unknown property");
             r.m_out(name + u'.' + prop + u'=' + JsonString(value));
             return QString();
         }},
        {"printcell", S::Cell,
         [](ScriptRunner& r, const Call& c) {
             r.m_out(QStringLiteral("%1[%2,%3]=").arg(c.words[1]).arg(c.row).arg(c.column) +
                     JsonString(c.cell.isValid()
                                    ? c.cell.data(Qt::DisplayRole).toString()
                                    : static_cast<MemoryGridWidget*>(c.widget)->CellText(
                                          c.row, c.column)));
             return QString();
         }},
        {"printclipboard", S::Words,
         [](ScriptRunner& r, const Call&) {
             r.m_out(QStringLiteral("clipboard=") + JsonString(QApplication::clipboard()->text()));
             return QString();
         }},
        {"printfile", S::Words,
         [](ScriptRunner& r, const Call& c) {
             // A file the program wrote (an export), as UTF-8 text without a byte-order mark.
             QFile file(c.words.value(1));
             if (c.words.value(1).isEmpty() || !file.open(QIODevice::ReadOnly))
                 return QStringLiteral("cannot read the file");
             QByteArray bytes = file.readAll();
             if (bytes.startsWith("\xEF\xBB\xBF"))
                 bytes.remove(0, 3);
             r.m_out(c.words[1] + u'=' + JsonString(QString::fromUtf8(bytes)));
             return QString();
         }},
        {"printdialog", S::Words,
         [](ScriptRunner& r, const Call&) {
             QWidget* dialog = openDialog();
             if (!dialog) {
                 r.m_out(QStringLiteral("dialog=null"));
                 return QString();
             }
             QStringList buttons;
             for (QAbstractButton* b : DialogButtons(dialog))
                 buttons.append(JsonString(PlainCaption(b->text())));
             r.m_out(QStringLiteral("dialog={\"caption\":%1,\"text\":%2,\"buttons\":[%3]}")
                         .arg(JsonString(dialog->windowTitle()), JsonString(DialogText(dialog)),
                              buttons.join(u',')));
             return QString();
         }},
        {"answer", S::Text,
         [](ScriptRunner&, const Call& c) {
             QWidget* dialog = openDialog();
             if (!dialog)
                 return QStringLiteral("no dialog is open");
             for (QAbstractButton* b : DialogButtons(dialog)) {
                 if (PlainCaption(b->text()) == c.text) {
                     b->click();
                     return QString();
                 }
             }
             return QStringLiteral("no such button");
         }},
        {"message", S::Text,
         [](ScriptRunner& r, const Call& c) {
             bool ok = false;
             const auto kind = MessageKindFromNumber(c.text.section(u' ', 0, 0).toInt(&ok));
             if (!ok || !kind || !r.ShowMessage)
                 return QStringLiteral("message needs a kind from -3 to 5");
             const bool answer = r.ShowMessage(*kind, c.text.section(u' ', 1));
             if (*kind != MessageKind::Close && LookOf(*kind).modal)
                 r.m_out(QStringLiteral("answer=") + (answer ? u'1' : u'0'));
             return QString();
         }},
        {"wait", S::Milliseconds,
         [](ScriptRunner& r, const Call& c) {
             QTimer::singleShot(c.milliseconds, &r, &ScriptRunner::next);
             return QString();
         },
         true},
        {"tick", S::Words,
         [](ScriptRunner& r, const Call& c) {
             // A running timer's interval has passed (the 30 s of timer_banner without
             // waiting them); a stopped timer does nothing, as it would not tick.
             QTimer* timer = r.findTimer(c.words.value(1));
             if (!timer)
                 return QStringLiteral("unknown timer");
             if (timer->isActive())
                 QMetaObject::invokeMethod(timer, "timeout");
             return QString();
         }},
        {"fault", S::Name,
         [](ScriptRunner&, const Call& c) {
             // A test of the error dialog: the next click of the button throws from its click
             // handler, as an error nobody catches would.
             auto* button = qobject_cast<QAbstractButton*>(c.widget);
             if (!button)
                 return QStringLiteral("fault needs a button");
             QObject::connect(
                 button, &QAbstractButton::clicked, button,
                 [] { throw std::runtime_error("Fehler zum Test des Fehlerberichts"); },
                 Qt::SingleShotConnection);
             return QString();
         }},
        {"texts", S::Words,
         [](ScriptRunner& r, const Call& c) {
             // The German texts of every window, page and dialog, for the translators.
             auto* main = qobject_cast<MainWindow*>(r.findWidget(r.m_mainWindowName));
             if (!main || c.words.value(1).isEmpty())
                 return QStringLiteral("texts needs a file and the main window");
             QStringList unnamed;
             const QList<ShownText> texts = GermanTextInventory(
                 *main, r.findWidget(QStringLiteral("Tfrm_rechenstreifen")), &unnamed);
             for (const QString& line : unnamed)
                 r.m_err(QStringLiteral("no name: ") + line);
             if (!WriteTextInventory(texts, c.words[1]))
                 return QStringLiteral("cannot write ") + c.words[1];
             return QString();
         }},
        {"shot", S::Words,
         [](ScriptRunner& r, const Call& c) {
             const QString file = c.words.value(1);
             if (file.isEmpty())
                 return QStringLiteral("shot needs a file");
             const QString name = c.words.value(2, r.m_mainWindowName);
             if (name == u"screen") {
                 if (!screenPicture().save(file, "PNG"))
                     return QStringLiteral("cannot write ") + file;
                 return QString();
             }
             QWidget* w = r.findWidget(name);
             if (!w)
                 return QStringLiteral("unknown name");
             if (!w->grab().save(file, "PNG"))
                 return QStringLiteral("cannot write ") + file;
             return QString();
         }},
    };
    return table;
}

ScriptRunner::ScriptRunner(QStringList lines, Output out, Output err, QObject* parent)
    : QObject(parent), m_lines(std::move(lines)), m_out(std::move(out)), m_err(std::move(err))
{}

void ScriptRunner::Start()
{
    scheduleNext();
}

// The next line waits behind every event already posted, and behind those the current line
// posts while it runs: a cell editor commits its text only after Enter has been handled, and
// a user looking at the grid then sees the new text.
void ScriptRunner::scheduleNext()
{
    QCoreApplication::postEvent(this, new QEvent(nextLineEvent()), Qt::LowEventPriority);
}

QEvent::Type ScriptRunner::nextLineEvent()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void ScriptRunner::customEvent(QEvent* event)
{
    if (event->type() == nextLineEvent())
        next();
}

void ScriptRunner::next()
{
    if (m_done)
        return;
    while (m_next < m_lines.size()) {
        const int number = m_next + 1;
        const QString line = m_lines[m_next++].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString name = line.section(u' ', 0, 0);
        const auto all = commands();
        const auto command = std::find_if(all.begin(), all.end(), [&](const Command& c) {
            return name == QLatin1String(c.name);
        });
        if (command == all.end()) {
            fail(number, QStringLiteral("unknown line"), line);
            return;
        }
        Call call;
        if (QString error = read(*command, line, call); !error.isEmpty()) {
            fail(number, error, line);
            return;
        }
        // The following line is due before this one runs: a click that opens a modal
        // dialog returns only when the dialog closes, and the script must go on meanwhile.
        if (!command->schedulesNext)
            scheduleNext();
        if (QString error = command->run(*this, call); !error.isEmpty())
            fail(number, error, line);
        return;
    }
    m_done = true;
    emit finished(0);
}

QString ScriptRunner::read(const Command& command, const QString& line, Call& call) const
{
    call.words = line.split(u' ', Qt::SkipEmptyParts);
    const QString name = call.words.value(1);
    switch (command.shape) {
    case Shape::Words:
        return {};
    case Shape::Text:
        call.text = restAfterWords(line, 1);
        return {};
    case Shape::Milliseconds: {
        bool ok = false;
        call.milliseconds = name.toInt(&ok);
        if (!ok || call.milliseconds < 0 || call.words.size() != 2)
            return QStringLiteral("%1 needs milliseconds").arg(QLatin1String(command.name));
        return {};
    }
    case Shape::Action:
        call.action = findAction(name);
        return call.action ? QString() : QStringLiteral("unknown name");
    case Shape::Name:
    case Shape::NameText:
    case Shape::Cell:
        break;
    }

    call.widget = findWidget(name);
    if (!call.widget)
        return QStringLiteral("unknown name");
    if (command.shape == Shape::NameText)
        call.text = restAfterWords(line, 2);
    if (command.shape != Shape::Cell)
        return {};

    auto* view = qobject_cast<QAbstractItemView*>(call.widget);
    auto* grid = qobject_cast<MemoryGridWidget*>(call.widget);
    bool rowOk = false;
    bool colOk = false;
    call.row = call.words.value(2).toInt(&rowOk);
    call.column = call.words.value(3).toInt(&colOk);
    if (!((view && view->model()) || grid) || !rowOk || !colOk)
        return QStringLiteral("%1 needs a grid, a row and a column")
            .arg(QLatin1String(command.name));
    if (grid)
        return grid->CellRect(call.row, call.column).isValid() ? QString()
                                                               : QStringLiteral("no such cell");
    call.cell = view->model()->index(call.row, call.column);
    if (!call.cell.isValid())
        return QStringLiteral("no such cell");
    return {};
}

void ScriptRunner::fail(int number, const QString& error, const QString& line)
{
    m_done = true;
    m_err(QStringLiteral("line %1: %2: %3").arg(number).arg(error, line));
    emit finished(1);
}

QWidget* ScriptRunner::findWidget(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget* top : tops)
        if (top->objectName() == name)
            return top;
    for (QWidget* top : tops)
        if (auto* w = top->findChild<QWidget*>(name))
            return w;
    return nullptr;
}

QTimer* ScriptRunner::findTimer(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* t = top->findChild<QTimer*>(name))
            return t;
    return nullptr;
}

QAction* ScriptRunner::findAction(const QString& name) const
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* a = top->findChild<QAction*>(name))
            return a;
    return qApp->findChild<QAction*>(name);
}

bool ScriptRunner::ParseKey(const QString& name, KeyStroke& stroke)
{
    stroke = KeyStroke{};
    static const struct {
        const char* name;
        int key;
        char16_t text;
    } named[] = {
        {"Enter", Qt::Key_Return, u'\r'},
        {"Esc", Qt::Key_Escape, 27},
        {"Tab", Qt::Key_Tab, u'\t'},
        {"Backspace", Qt::Key_Backspace, 8},
        {"Delete", Qt::Key_Delete, 127},
        {"Space", Qt::Key_Space, u' '},
        {"Up", Qt::Key_Up, 0},
        {"Down", Qt::Key_Down, 0},
        {"Left", Qt::Key_Left, 0},
        {"Right", Qt::Key_Right, 0},
        {"Home", Qt::Key_Home, 0},
        {"End", Qt::Key_End, 0},
    };
    for (const auto& n : named) {
        if (name == QLatin1String(n.name)) {
            stroke.key = n.key;
            if (n.text)
                stroke.text = QString(QChar(n.text));
            return true;
        }
    }
    if (name.size() == 6 && name.startsWith(QLatin1String("Ctrl+")) && name[5].isLetter() &&
        name[5].unicode() < 128) {
        const char16_t letter = name[5].toUpper().unicode();
        stroke.key = Qt::Key_A + (letter - u'A');
        stroke.modifiers = Qt::ControlModifier;
        stroke.text = QString(QChar(char16_t(letter - u'A' + 1)));
        return true;
    }
    // A control character or a NUL is no key a user types.
    if (name.size() == 1 && name[0].isPrint()) {
        const QChar c = name[0];
        stroke.key = c.toUpper().unicode();
        stroke.text = name;
        return true;
    }
    return false;
}

// Keys go where the keyboard focus is, as a user's keys do: after the first key has opened a
// grid's cell editor, the editor has the focus and takes the following keys.
void ScriptRunner::sendKey(QWidget* w, const KeyStroke& stroke)
{
    QWidget* focused = QApplication::focusWidget();
    QWidget* target = focused ? focused : w;
    QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers, stroke.text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, stroke.key, stroke.modifiers, stroke.text);
    QApplication::sendEvent(target, &release);
}

// `key` and `type` focus NAME first, unless the focus already lies inside it: taking the
// focus from an open cell editor back to its grid would close the editor.
void ScriptRunner::focusForKeys(QWidget* w)
{
    QWidget* focused = QApplication::focusWidget();
    if (focused && (focused == w || w->isAncestorOf(focused)))
        return;
    w->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
}
