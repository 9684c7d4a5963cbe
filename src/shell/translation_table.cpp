#include "translation_table.h"

#include "csv_file.h"

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

void buildTable(const TCSVFile& file, QList<TSprachenString>& entries)
{
    entries.clear();
    const int lastColumn = std::min(file.ColCount() - 1, kLastColumn);
    for (int row = 1; row < file.RowCount(); ++row) {
        if (file.RowEmpty(row))
            continue;
        TSprachenString entry;
        entry.group = file.Cell(0, row);
        entry.form = file.Cell(1, row);
        entry.component = file.Cell(2, row);
        entry.property = PropertyKindOf(file.Cell(3, row));
        const QString index = file.Cell(4, row).trimmed();
        bool ok = true;
        entry.index = index.isEmpty() ? 0 : index.toInt(&ok);
        // An index that is no number addresses nothing: better no text than the wrong line.
        if (!ok)
            continue;
        // In a file of six columns the one text is German.
        entry.texts[LanguageGerman] = file.Cell(kFirstTextColumn, row);
        for (int col = kFirstTextColumn; col <= lastColumn; ++col)
            entry.texts[size_t(col - kFirstTextColumn)] = file.Cell(col, row);
        entries.append(std::move(entry));
    }
}

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

QString TSprachenString::Text(int language) const
{
    return language >= 0 && language < LanguageCount ? texts[size_t(language)] : QString();
}

QString TSprachenString::Shown(const QString& text)
{
    return text == u"@@" ? QString() : text;
}

bool TSprachenStrings::LoadTranslations(const QString& fileName)
{
    TCSVFile file;
    if (!file.Load(fileName, QString(), QStringLiteral("\t"))) {
        m_entries.clear();
        return false;
    }
    buildTable(file, m_entries);
    return true;
}

void TSprachenStrings::LoadFromBytes(QByteArrayView bytes)
{
    TCSVFile file;
    file.LoadFromBytes(bytes, QString(), QStringLiteral("\t"));
    buildTable(file, m_entries);
}

void TSprachenStrings::FillStrings(QStringList& array, int highestIndex, const QString& group,
                                   const QString& key, int language)
{
    if (highestIndex < 0)
        return;
    while (array.size() <= highestIndex)
        array.append(QString());
    for (TSprachenString& entry : m_entries) {
        const QString text = entry.Text(language);
        if (text.isEmpty() || !entry.form.isEmpty() || entry.appliedLanguage == language)
            continue;
        if (entry.index < 0 || entry.index > highestIndex)
            continue;
        if (entry.component.compare(key, Qt::CaseInsensitive) != 0)
            continue;
        if (!group.isEmpty() && entry.group.compare(group, Qt::CaseInsensitive) != 0)
            continue;
        array[entry.index] = TSprachenString::Shown(text);
        entry.appliedLanguage = language;
    }
}
