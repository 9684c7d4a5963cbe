// The translation file from any bytes: the table fills the runtime arrays without ever
// shrinking them or writing outside them, and takes no more entries than the file has rows.
#include "fuzz_target.h"

#include "shell/translation_table.h"

#include <algorithm>

FUZZ_TARGET(translation)
{
    const QByteArrayView bytes(data, qsizetype(size));
    TranslationTable table;
    table.LoadFromBytes(bytes);
    // Every entry has a line of its own after the header: no more entries than line ends
    // (the csv_file target checks the reader's rows themselves).
    const qsizetype lineEnds =
        std::count(bytes.begin(), bytes.end(), '\n') + std::count(bytes.begin(), bytes.end(), '\r');
    FUZZ_CHECK(table.Entries().size() <= lineEnds, QString::number(table.Entries().size()));
    for (const TranslationEntry& entry : table.Entries())
        FUZZ_CHECK(PropertyKindOf(PropertyKindName(entry.property)) == entry.property,
                   PropertyKindName(entry.property));
    // The first few entries are enough: the fill does the same for every entry, and filling
    // arrays for every row made this the slowest target.
    for (const int language : {LanguageGerman, LanguagePolish, 99}) {
        for (const TranslationEntry& entry : table.Entries()) {
            QStringList array{QStringLiteral("kept")};
            table.FillStrings(array, 64, entry.group, entry.component, language);
            FUZZ_CHECK(array.size() == 65, QString::number(array.size()));
            if (&entry - table.Entries().data() >= 3)
                break;
        }
    }
    return 0;
}
