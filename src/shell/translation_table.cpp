#include "translation_table.h"

#include "csv_file.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr const char* kPropertyNames[] = {
    "Undefiniert",
    "HTML-Element",
    "Caption",
    "Text",
    "Hint",
    "Font.Name",
    "Lines.Strings",
    "TabActiveFont.Name",
    "Items.Strings",
    "EditMask",
    "Title",
    "Filter",
    "DefaultExt",
    "FileName",
    "PasswordChar",
    "DefFontName",
    "DefPreFontName",
    "InitialDir",
    "TabHints.Strings",
    "HeaderCaption",
    "Column.Caption",
    "Column.WideText",
    "Header.Font.Name",
    "WideDefaultText",
};
static_assert(std::size(kPropertyNames) == size_t(PropertyKind::WideDefaultText) + 1);

constexpr int kFirstTextColumn = 5;
constexpr int kLastColumn = kFirstTextColumn + LanguageCount - 1;

// The cell's text, sharing the storage of `previous` when it is the same: the group and form
// columns repeat down the rows.
QString shared(const QString& cell, const QString& previous)
{
    return cell == previous ? previous : cell;
}

// Makes the entries row by row as the file is read: the file's grid is never kept whole.
class TableBuilder {
public:
    explicit TableBuilder(QList<TranslationEntry>& entries) : m_entries(entries)
    {
        m_entries.clear();
    }

    void operator()(const QStringList& fields)
    {
        m_columns = std::max(m_columns, int(fields.size()));
        // The first row names the columns.
        if (m_row++ == 0)
            return;
        if (std::all_of(fields.begin(), fields.end(), [](const QString& f) { return f.isEmpty(); }))
            return;
        TranslationEntry entry;
        m_group = entry.group = shared(fields.value(0), m_group);
        m_form = entry.form = shared(fields.value(1), m_form);
        entry.component = fields.value(2);
        entry.property = PropertyKindOf(fields.value(3));
        const QString index = fields.value(4).trimmed();
        bool ok = true;
        entry.index = index.isEmpty() ? 0 : index.toInt(&ok);
        // An index that is no number addresses nothing: better no text than the wrong line.
        if (!ok)
            return;
        // In a file of six columns the one text is German (see Finish for the other files).
        entry.SetText(LanguageGerman, fields.value(kFirstTextColumn));
        const int lastColumn = std::min(int(fields.size()) - 1, kLastColumn);
        for (int col = kFirstTextColumn; col <= lastColumn; ++col)
            entry.SetText(col - kFirstTextColumn, fields[col]);
        if (fields.size() <= kFirstTextColumn + LanguageGerman)
            m_shortRows.append(m_entries.size());
        m_entries.append(std::move(entry));
    }

    // A file with a German column: a row that ends before it has no German text.
    void Finish()
    {
        if (m_columns > kFirstTextColumn + LanguageGerman)
            for (const qsizetype i : std::as_const(m_shortRows))
                m_entries[i].SetText(LanguageGerman, QString());
    }

private:
    QList<TranslationEntry>& m_entries;
    QList<qsizetype> m_shortRows; // entries whose row ends before the German column
    QString m_group;
    QString m_form;
    int m_row = 0;
    int m_columns = 0;
};

} // namespace

PropertyKind PropertyKindOf(const QString& name)
{
    // The last matching name wins; none matches twice, so the first is as good. The names
    // are nearly always written as listed: that is found without folding case.
    for (size_t i = 0; i < std::size(kPropertyNames); ++i)
        if (name == QLatin1String(kPropertyNames[i]))
            return PropertyKind(i);
    for (size_t i = 0; i < std::size(kPropertyNames); ++i)
        if (name.compare(QLatin1String(kPropertyNames[i]), Qt::CaseInsensitive) == 0)
            return PropertyKind(i);
    return PropertyKind::Undefined;
}

QString PropertyKindName(PropertyKind kind)
{
    return QString::fromLatin1(kPropertyNames[size_t(kind)]);
}

QString TranslationEntry::Text(int language) const
{
    for (const auto& [code, text] : m_texts)
        if (code == language)
            return text;
    return {};
}

void TranslationEntry::SetText(int language, const QString& text)
{
    if (language < 0 || language >= LanguageCount)
        return;
    for (auto it = m_texts.begin(); it != m_texts.end(); ++it) {
        if (it->first == language) {
            if (text.isEmpty())
                m_texts.erase(it);
            else
                it->second = text;
            return;
        }
    }
    if (!text.isEmpty())
        m_texts.append({language, text});
}

QString TranslationEntry::Shown(const QString& text)
{
    return text == u"@@" ? QString() : text;
}

bool TranslationTable::LoadTranslations(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_entries.clear();
        return false;
    }
    LoadFromBytes(file.readAll());
    return true;
}

void TranslationTable::LoadFromBytes(QByteArrayView bytes)
{
    TableBuilder build(m_entries);
    m_entries.reserve(bytes.count('\n') + 1);
    ReadCsvRows(bytes, QString(), QStringLiteral("\t"), {},
                [&build](const QStringList& fields) { build(fields); });
    build.Finish();
}

void TranslationTable::FillStrings(QStringList& array, int highestIndex, const QString& group,
                                   const QString& key, int language)
{
    if (highestIndex < 0)
        return;
    while (array.size() <= highestIndex)
        array.append(QString());
    for (TranslationEntry& entry : m_entries) {
        const QString text = entry.Text(language);
        if (text.isEmpty() || !entry.form.isEmpty() || entry.appliedLanguage == language)
            continue;
        if (entry.index < 0 || entry.index > highestIndex)
            continue;
        if (entry.component.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        if (!group.isEmpty() && entry.group.compare(group, Qt::CaseInsensitive) != 0)
            continue;
        array[entry.index] = TranslationEntry::Shown(text);
        entry.appliedLanguage = language;
    }
}
