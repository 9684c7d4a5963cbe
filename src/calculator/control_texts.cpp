#include "control_texts.h"

#include <QObject>
#include <QVariant>

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
        const char* property = "toolTip";
        if (e.property == TextProperty::Caption)
            // A group box's caption is its title.
            property = control->metaObject()->indexOfProperty("text") < 0 &&
                               control->metaObject()->indexOfProperty("title") >= 0
                           ? "title"
                           : "text";
        control->setProperty(property, e.text);
    }
}
