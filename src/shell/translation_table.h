// The translation table: every text of the user interface in up to 26 languages, read from
// "uebersetzung.txt" beside the executable. One entry per line of the file, addressed by
// window (form), component and property, or, with an empty form, by the key and index of a
// runtime text array ("MC_strings", "error_message", …). The widgets layer writes the entries
// into the windows; here are the entries and the filling of the runtime arrays.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// Language codes: the texts of code L stand in column 5 + L.
inline constexpr int LanguageCount = 26;
inline constexpr int LanguageUndefined = 0;
inline constexpr int LanguageGerman = 1;
inline constexpr int LanguageEnglish = 2;
inline constexpr int LanguageFrench = 3;
inline constexpr int LanguageSpanish = 9;
inline constexpr int LanguagePolish = 12;

// What an entry's text is written into; the names are those of column 3.
enum class PropertyKind {
    Undefined,         // "Undefiniert"
    HtmlElement,       // "HTML-Element"
    Caption,           // a control's text, a menu item's caption
    Text,              // a control's text
    Hint,              // the tooltip
    FontName,          // "Font.Name"
    LinesStrings,      // "Lines.Strings": one line of a memo
    TabActiveFontName, // "TabActiveFont.Name"
    ItemsStrings,      // "Items.Strings": one item of a combo box or list
    EditMask,
    Title,
    Filter,
    DefaultExt,
    FileName,
    PasswordChar,
    DefFontName,
    DefPreFontName,
    InitialDir,
    TabHintsStrings,
    HeaderCaption,
    ColumnCaption,
    ColumnWideText,
    HeaderFontName,
    WideDefaultText,
};

// The kind named in column 3, compared without regard to case; an unknown name is Undefined.
PropertyKind PropertyKindOf(const QString& name);
QString PropertyKindName(PropertyKind kind);

struct TranslationEntry {
    QString group;
    QString form;      // empty for a runtime array entry
    QString component; // the control's objectName, or the runtime array's key
    PropertyKind property = PropertyKind::Undefined;
    int index = 0;                           // line or item number, or array index
    int appliedLanguage = LanguageUndefined; // the language last written from this entry

    // The text of a language; empty means no translation.
    QString Text(int language) const;
    void SetText(int language, const QString& text);
    // The text as shown: "@@" stands for an empty text.
    static QString Shown(const QString& text);

private:
    // Only the languages that have a text: of the 26 columns a row fills two or three.
    QList<std::pair<int, QString>> m_texts;
};

class TranslationTable {
public:
    // Builds the table from the file (the header line is skipped). A file that cannot be
    // read leaves the table empty and returns false.
    bool LoadTranslations(const QString& fileName);
    void LoadFromBytes(QByteArrayView bytes);

    const QList<TranslationEntry>& Entries() const { return m_entries; }
    QList<TranslationEntry>& Entries() { return m_entries; }
    bool IsEmpty() const { return m_entries.isEmpty(); }

    // Writes the language's texts of the runtime array `key` (and `group`, when not empty)
    // into array[0 … highestIndex]; the array grows to highestIndex + 1 when shorter.
    // Elements without an entry keep their text, and an entry already written in this
    // language is not written again.
    void FillStrings(QStringList& array, int highestIndex, const QString& group, const QString& key,
                     int language);

private:
    QList<TranslationEntry> m_entries;
};
