#include "script_runner.h"

#include "json_text.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString plainCaption(QString caption)
{
    return caption.remove(u'&');
}

// What `print NAME` writes for a widget: the text a user reads in it.
QString widgetText(QWidget* w)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->isCheckable() ? flag(b->isChecked()) : b->text();
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return p->toPlainText();
    if (auto* t = qobject_cast<QTextEdit*>(w))
        return t->toPlainText();
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
        return s->text();
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        return tabs->tabText(tabs->currentIndex());
    const QVariant text = w->property("text");
    return text.isValid() ? text.toString() : w->windowTitle();
}

QString widgetIndex(QWidget* w, bool& ok)
{
    ok = true;
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        return QString::number(tabs->currentIndex());
    if (auto* bar = qobject_cast<QTabBar*>(w))
        return QString::number(bar->currentIndex());
    if (auto* stack = qobject_cast<QStackedWidget*>(w))
        return QString::number(stack->currentIndex());
    if (auto* c = qobject_cast<QComboBox*>(w))
        return QString::number(c->currentIndex());
    if (auto* s = qobject_cast<QSpinBox*>(w))
        return QString::number(s->value());
    if (auto* l = qobject_cast<QListWidget*>(w))
        return QString::number(l->currentRow());
    ok = false;
    return {};
}

QString widgetCount(QWidget* w, bool& ok)
{
    ok = true;
    if (auto* tabs = qobject_cast<QTabWidget*>(w))
        return QString::number(tabs->count());
    if (auto* bar = qobject_cast<QTabBar*>(w))
        return QString::number(bar->count());
    if (auto* stack = qobject_cast<QStackedWidget*>(w))
        return QString::number(stack->count());
    if (auto* c = qobject_cast<QComboBox*>(w))
        return QString::number(c->count());
    if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model())
        return QString::number(v->model()->rowCount());
    ok = false;
    return {};
}

QString widgetReadOnly(QWidget* w)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return flag(e->isReadOnly());
    if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        return flag(p->isReadOnly());
    if (auto* t = qobject_cast<QTextEdit*>(w))
        return flag(t->isReadOnly());
    if (auto* s = qobject_cast<QAbstractSpinBox*>(w))
        return flag(s->isReadOnly());
    if (auto* v = qobject_cast<QAbstractItemView*>(w))
        return flag(v->editTriggers() == QAbstractItemView::NoEditTriggers);
    return flag(w->property("readOnly").toBool());
}

QString widgetColor(QWidget* w)
{
    const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
                       qobject_cast<QTextEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                       qobject_cast<QComboBox*>(w);
    const QColor c = w->palette().color(input ? QPalette::Text : w->foregroundRole());
    return c.name(QColor::HexRgb);
}

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

QList<QAbstractButton*> dialogButtons(QWidget* dialog)
{
    QList<QAbstractButton*> buttons;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        buttons = box->buttons();
    } else {
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            if (b->isVisible())
                buttons.append(b);
    }
    return buttons;
}

} // namespace

ScriptRunner::ScriptRunner(QStringList lines, Output out, Output err, QObject* parent)
    : QObject(parent), m_lines(std::move(lines)), m_out(std::move(out)), m_err(std::move(err))
{}

void ScriptRunner::Start()
{
    QTimer::singleShot(0, this, &ScriptRunner::next);
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
        if (line.startsWith(QLatin1String("wait"))) {
            bool ok = false;
            const int ms = line.mid(4).trimmed().toInt(&ok);
            if (!ok || ms < 0 || line.size() < 6 || line[4] != u' ') {
                fail(number, QStringLiteral("wait needs milliseconds"), line);
                return;
            }
            QTimer::singleShot(ms, this, &ScriptRunner::next);
            return;
        }
        // The following line is due before this one runs: a click that opens a modal
        // dialog returns only when the dialog closes, and the script must go on meanwhile.
        QTimer::singleShot(0, this, &ScriptRunner::next);
        const QString error = run(line);
        if (!error.isEmpty())
            fail(number, error, line);
        return;
    }
    m_done = true;
    emit finished(0);
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
    if (name.size() == 1) {
        const QChar c = name[0];
        stroke.key = c.toUpper().unicode();
        stroke.text = name;
        return true;
    }
    return false;
}

void ScriptRunner::sendKey(QWidget* target, const KeyStroke& stroke)
{
    QKeyEvent press(QEvent::KeyPress, stroke.key, stroke.modifiers, stroke.text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, stroke.key, stroke.modifiers, stroke.text);
    QApplication::sendEvent(target, &release);
}

QString ScriptRunner::run(const QString& line)
{
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    const QString command = words[0];
    const QString name = words.value(1);

    auto needWidget = [&](QWidget*& w) -> QString {
        w = findWidget(name);
        return w ? QString() : QStringLiteral("unknown name");
    };
    auto focusWidget = [](QWidget* w) {
        w->activateWindow();
        w->setFocus(Qt::OtherFocusReason);
    };
    auto keyTarget = [](QWidget* w) {
        QWidget* focused = QApplication::focusWidget();
        return focused ? focused : w;
    };

    if (command == u"clipboard") {
        QApplication::clipboard()->setText(restAfterWords(line, 1));
        return {};
    }
    if (command == u"printclipboard") {
        m_out(QStringLiteral("clipboard=") + JsonString(QApplication::clipboard()->text()));
        return {};
    }
    if (command == u"printdialog")
        return printDialog();
    if (command == u"answer")
        return answer(restAfterWords(line, 1));
    if (command == u"trigger") {
        QAction* action = findAction(name);
        if (!action)
            return QStringLiteral("unknown name");
        action->trigger();
        return {};
    }
    if (command == u"shot") {
        if (name.isEmpty())
            return QStringLiteral("shot needs a file");
        const QString widgetName = words.value(2, m_mainWindowName);
        QWidget* w = findWidget(widgetName);
        if (!w)
            return QStringLiteral("unknown name");
        if (!w->grab().save(name, "PNG"))
            return QStringLiteral("cannot write ") + name;
        return {};
    }
    if (command == u"print" || command == u"printcell")
        return print(words);

    QWidget* w = nullptr;
    if (command == u"click" || command == u"press" || command == u"release" ||
        command == u"hover") {
        if (QString e = needWidget(w); !e.isEmpty())
            return e;
        const QPoint centre = w->rect().center();
        if (command == u"click")
            QTest::mouseClick(w, Qt::LeftButton, {}, centre);
        else if (command == u"press")
            QTest::mousePress(w, Qt::LeftButton, {}, centre);
        else if (command == u"release")
            QTest::mouseRelease(w, Qt::LeftButton, {}, centre);
        else
            QTest::mouseMove(w, centre);
        return {};
    }
    if (command == u"focus") {
        if (QString e = needWidget(w); !e.isEmpty())
            return e;
        focusWidget(w);
        return {};
    }
    if (command == u"key") {
        if (QString e = needWidget(w); !e.isEmpty())
            return e;
        KeyStroke stroke;
        if (!ParseKey(words.value(2), stroke))
            return QStringLiteral("unknown key");
        focusWidget(w);
        sendKey(keyTarget(w), stroke);
        return {};
    }
    if (command == u"type") {
        if (QString e = needWidget(w); !e.isEmpty())
            return e;
        focusWidget(w);
        for (const QChar c : restAfterWords(line, 2)) {
            KeyStroke stroke;
            ParseKey(QString(c), stroke);
            sendKey(keyTarget(w), stroke);
        }
        return {};
    }
    if (command == u"select") {
        if (QString e = needWidget(w); !e.isEmpty())
            return e;
        bool ok = false;
        const int index = words.value(2).toInt(&ok);
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
    if (command == u"check") {
        if (QString e = needWidget(w); !e.isEmpty())
            return e;
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button || (words.value(2) != u"0" && words.value(2) != u"1"))
            return QStringLiteral("check needs a check box and 0 or 1");
        if (button->isChecked() != (words.value(2) == u"1"))
            button->click();
        return {};
    }
    if (command == u"cell") {
        if (QString e = needWidget(w); !e.isEmpty())
            return e;
        auto* view = qobject_cast<QAbstractItemView*>(w);
        bool rowOk = false;
        bool colOk = false;
        const int row = words.value(2).toInt(&rowOk);
        const int col = words.value(3).toInt(&colOk);
        if (!view || !view->model() || !rowOk || !colOk)
            return QStringLiteral("cell needs a grid, a row and a column");
        const QModelIndex index = view->model()->index(row, col);
        if (!index.isValid())
            return QStringLiteral("no such cell");
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        view->setCurrentIndex(index);
        return {};
    }
    return QStringLiteral("unknown line");
}

QString ScriptRunner::print(const QStringList& words)
{
    const QString& name = words.value(1);
    QWidget* w = findWidget(name);
    if (!w)
        return QStringLiteral("unknown name");

    if (words[0] == u"printcell") {
        auto* view = qobject_cast<QAbstractItemView*>(w);
        bool rowOk = false;
        bool colOk = false;
        const int row = words.value(2).toInt(&rowOk);
        const int col = words.value(3).toInt(&colOk);
        if (!view || !view->model() || !rowOk || !colOk)
            return QStringLiteral("printcell needs a grid, a row and a column");
        const QModelIndex index = view->model()->index(row, col);
        if (!index.isValid())
            return QStringLiteral("no such cell");
        m_out(QStringLiteral("%1[%2,%3]=").arg(name).arg(row).arg(col) +
              JsonString(index.data(Qt::DisplayRole).toString()));
        return {};
    }

    if (words.size() < 3) {
        m_out(name + u'=' + JsonString(widgetText(w)));
        return {};
    }

    const QString prop = words[2];
    QString value;
    bool ok = true;
    if (prop == u"visible")
        value = flag(w->isVisible());
    else if (prop == u"enabled")
        value = flag(w->isEnabled());
    else if (prop == u"readonly")
        value = widgetReadOnly(w);
    else if (prop == u"color")
        value = widgetColor(w);
    else if (prop == u"tooltip")
        value = w->toolTip();
    else if (prop == u"x")
        value = QString::number(w->x());
    else if (prop == u"y")
        value = QString::number(w->y());
    else if (prop == u"width")
        value = QString::number(w->width());
    else if (prop == u"height")
        value = QString::number(w->height());
    else if (prop == u"focus")
        value = flag(w->hasFocus());
    else if (prop == u"index")
        value = widgetIndex(w, ok);
    else if (prop == u"count")
        value = widgetCount(w, ok);
    else {
        const QVariant v = w->property(prop.toUtf8().constData());
        ok = v.isValid();
        value = v.toString();
    }
    if (!ok)
        return QStringLiteral("unknown property");
    m_out(name + u'.' + prop + u'=' + JsonString(value));
    return {};
}

QString ScriptRunner::printDialog()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog) {
        m_out(QStringLiteral("dialog=null"));
        return {};
    }
    QString text;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        text = box->text();
    } else if (const QVariant message = dialog->property("messageText"); message.isValid()) {
        text = message.toString();
    } else {
        QStringList texts;
        for (QLabel* label : dialog->findChildren<QLabel*>())
            if (label->isVisible() && !label->text().isEmpty())
                texts.append(label->text());
        text = texts.join(u'\n');
    }
    QStringList buttons;
    for (QAbstractButton* b : dialogButtons(dialog))
        buttons.append(JsonString(plainCaption(b->text())));
    m_out(QStringLiteral("dialog={\"caption\":%1,\"text\":%2,\"buttons\":[%3]}")
              .arg(JsonString(dialog->windowTitle()), JsonString(text), buttons.join(u',')));
    return {};
}

QString ScriptRunner::answer(const QString& caption)
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        return QStringLiteral("no dialog is open");
    for (QAbstractButton* b : dialogButtons(dialog)) {
        if (plainCaption(b->text()) == caption) {
            b->click();
            return {};
        }
    }
    return QStringLiteral("no such button");
}
