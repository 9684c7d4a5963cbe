#include "control_texts.h"

#include <QObject>
#include <QVariant>

namespace {

// A label's or button's caption is its text, a group box's its title, a window's its title
// bar.
const char* captionProperty(const QObject& control)
{
    for (const char* name : {"text", "title", "windowTitle"})
        if (control.metaObject()->indexOfProperty(name) >= 0)
            return name;
    return "text";
}

} // namespace

QString ControlTexts::Text(QStringView component, TextProperty property) const
{
    for (const Entry& e : m_entries)
        if (e.property == property && e.component == component)
            return e.text;
    return {};
}

bool ControlTexts::Set(QStringView component, TextProperty property, const QString& text)
{
    for (Entry& e : m_entries) {
        if (e.property == property && e.component == component) {
            e.text = text;
            return true;
        }
    }
    return false;
}

void ControlTexts::ApplyTo(QObject& root) const
{
    for (const Entry& e : m_entries) {
        QObject* control =
            root.objectName() == e.component ? &root : root.findChild<QObject*>(e.component);
        if (!control)
            continue;
        control->setProperty(
            e.property == TextProperty::Caption ? captionProperty(*control) : "toolTip", e.text);
    }
}

QString ReportedClassName(const QObject& control)
{
    const QString reported = control.property(ReportedClassNameProperty).toString();
    return reported.isEmpty() ? QString::fromLatin1(control.metaObject()->className()) : reported;
}
