#include "widget_text.h"

#include "widgets/memory_grid.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

namespace {

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
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
    if (qobject_cast<MemoryGridWidget*>(w))
        return QString::number(MemoryGridWidget::RowCount);
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
    if (qobject_cast<MemoryGridWidget*>(w))
        return flag(true); // its cells change only through the memory keys
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

// The properties `print NAME PROP` knows by name; any other name is read as a Qt property.
using PropertyReader = QString (*)(QWidget* w, bool& ok);
const struct {
    const char* name;
    PropertyReader read;
} namedProperties[] = {
    {"visible", [](QWidget* w, bool&) { return flag(w->isVisible()); }},
    {"enabled", [](QWidget* w, bool&) { return flag(w->isEnabled()); }},
    {"readonly", [](QWidget* w, bool&) { return widgetReadOnly(w); }},
    {"color", [](QWidget* w, bool&) { return widgetColor(w); }},
    {"tooltip", [](QWidget* w, bool&) { return w->toolTip(); }},
    {"x", [](QWidget* w, bool&) { return QString::number(w->x()); }},
    {"y", [](QWidget* w, bool&) { return QString::number(w->y()); }},
    {"width", [](QWidget* w, bool&) { return QString::number(w->width()); }},
    {"height", [](QWidget* w, bool&) { return QString::number(w->height()); }},
    {"focus", [](QWidget* w, bool&) { return flag(w->hasFocus()); }},
    {"index", widgetIndex},
    {"count", widgetCount},
};

} // namespace

QString WidgetText(QWidget* w)
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

bool WidgetProperty(QWidget* w, const QString& prop, QString& value)
{
    bool ok = true;
    for (const auto& p : namedProperties) {
        if (prop == QLatin1String(p.name)) {
            value = p.read(w, ok);
            return ok;
        }
    }
    const QVariant v = w->property(prop.toUtf8().constData());
    value = v.toString();
    return v.isValid();
}

QList<QAbstractButton*> DialogButtons(QWidget* dialog)
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

QString PlainCaption(QString caption)
{
    return caption.remove(u'&');
}

QString DialogText(QWidget* dialog)
{
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        return box->text();
    if (const QVariant message = dialog->property("messageText"); message.isValid())
        return message.toString();
    QStringList texts;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty())
            texts.append(label->text());
    return texts.join(u'\n');
}
