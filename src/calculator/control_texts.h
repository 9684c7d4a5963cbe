// Captions and hints of a page's controls, addressed as the translation file addresses
// them: by the control's name and the property. The page's retranslate() applies them;
// the defaults are German, and a translation replaces entries by name.
#pragma once

#include <QList>
#include <QString>

class QObject;

enum class TextProperty { Caption, Hint };

class ControlTexts {
public:
    struct Entry {
        QString component;
        TextProperty property;
        QString text;
    };

    ControlTexts() = default;
    explicit ControlTexts(QList<Entry> defaults) : m_entries(std::move(defaults)) {}

    const QList<Entry>& Entries() const { return m_entries; }
    // The text of a control's property; empty when the control has no such entry.
    QString Text(QStringView component, TextProperty property) const;
    // Replaces an entry's text; false when there is no such entry.
    bool Set(QStringView component, TextProperty property, const QString& text);

    // Writes every entry into the control of that name below `root` (or `root` itself): a
    // caption into its "text" property (a group box's "title", a window's "windowTitle"),
    // a hint into its "toolTip". Controls that do not exist are skipped.
    void ApplyTo(QObject& root) const;

private:
    QList<Entry> m_entries;
};

// The windows and the entry field keep the class names that the translation file and the
// error report's control list have always shown (Tfrm_calc, TAlignEdit), whatever the C++
// class is called: each carries that name in this property.
inline constexpr char ReportedClassNameProperty[] = "reportedClassName";

// The class name the error report and the text inventory give a control: the property above
// where it is set, the C++ class name otherwise.
QString ReportedClassName(const QObject& control);
