#include "shell/csv_file.h"
#include "shell/translation_table.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

QStringList rowOf(const TCSVFile& file, int row)
{
    QStringList cells;
    for (int col = 0; col < file.ColCount(); ++col)
        cells.append(file.Cell(col, row));
    return cells;
}

TEST(CsvFile, EveryKindOfLineEndEndsALine)
{
    // LF alone, CR alone and CR LF, also mixed in one file: a table saved by any editor reads.
    for (const char* bytes : {"a\tb\r\nc\td\r\n", "a\tb\nc\td\n", "a\tb\rc\td\r", "a\tb\rc\td\n"}) {
        SCOPED_TRACE(QByteArray(bytes).toPercentEncoding().constData());
        TCSVFile file;
        file.LoadFromBytes(bytes, QString(), QStringLiteral("\t"));
        ASSERT_EQ(file.RowCount(), 2);
        EXPECT_EQ(rowOf(file, 0), strings({"a", "b"}));
        EXPECT_EQ(rowOf(file, 1), strings({"c", "d"}));
    }
}

TEST(CsvFile, RaggedRowsReadEmptyBeyondTheirFieldsAndALastEmptyFieldIsDropped)
{
    TCSVFile file;
    file.LoadFromBytes("a\tb\tc\r\n\r\nd\r\ne\t", QString(), QStringLiteral("\t"));
    ASSERT_EQ(file.RowCount(), 4);
    EXPECT_EQ(file.ColCount(), 3);
    EXPECT_TRUE(file.RowEmpty(1));
    EXPECT_EQ(file.Cell(2, 2), u"");
    EXPECT_EQ(file.Cell(0, 3), u"e");
    EXPECT_EQ(rowOf(file, 3), strings({"e", "", ""}));
    EXPECT_TRUE(file.RowEmpty(99));
    file.SetCell(4, 6, QStringLiteral("x"));
    EXPECT_EQ(file.RowCount(), 7);
    EXPECT_EQ(file.ColCount(), 5);
    EXPECT_EQ(file.Cell(4, 6), u"x");
}

TEST(CsvFile, ByteOrderMarksAndTheAnsiCodePageGiveTheSameText)
{
    const QString text = QStringLiteral("Wärme\t€ Größe\r\n");
    QByteArray utf16le("\xFF\xFE", 2), utf16be("\xFE\xFF", 2);
    for (const QChar c : text) {
        utf16le += char(c.unicode() & 0xFF);
        utf16le += char(c.unicode() >> 8);
        utf16be += char(c.unicode() >> 8);
        utf16be += char(c.unicode() & 0xFF);
    }
    const QByteArray files[] = {
        QByteArray("W\xE4rme\t\x80 Gr\xF6\xDF"
                   "e\r\n"), // Windows-1252: the euro sign is 0x80
        "\xEF\xBB\xBF" + text.toUtf8(),
        text.toUtf8(), // UTF-8 without a mark
        utf16le,
        utf16be,
    };
    for (const QByteArray& bytes : files) {
        SCOPED_TRACE(bytes.toHex().constData());
        TCSVFile file;
        file.LoadFromBytes(bytes, QString(), QStringLiteral("\t"));
        EXPECT_EQ(rowOf(file, 0), strings({"Wärme", "€ Größe"}));
    }
}

TEST(CsvFile, AQuotedFieldKeepsSeparatorsLineEndsAndDoubledQuotes)
{
    TCSVFile file;
    file.LoadFromBytes("\"a;b\";\"say \"\"hi\"\"\";\"x\r\ny\"\r\nz", QStringLiteral("\""),
                       QStringLiteral(";"));
    ASSERT_EQ(file.RowCount(), 2);
    EXPECT_EQ(rowOf(file, 0), strings({"a;b", "say \"hi\"", "x\r\ny"}));
    EXPECT_EQ(file.Cell(0, 1), u"z");
}

TEST(CsvFile, SurvivesAnyBytes)
{
    TCSVFile file;
    file.LoadFromBytes(QByteArray(100000, '\t'), QString(), QStringLiteral("\t"));
    EXPECT_EQ(file.RowCount(), 1);
    EXPECT_EQ(file.ColCount(), 100000);

    QRandomGenerator random(13);
    for (int round = 0; round < 20; ++round) {
        QByteArray bytes(int(random.bounded(20000)), Qt::Uninitialized);
        for (char& b : bytes)
            b = char(random.bounded(256));
        file.LoadFromBytes(bytes, round % 2 ? QStringLiteral("\"") : QString(),
                           QStringLiteral("\t"));
        TranslationTable table;
        table.LoadFromBytes(bytes);
        QStringList array(5);
        table.FillStrings(array, 4, QString(), QStringLiteral("MC_strings"), 1);
    }
    EXPECT_FALSE(file.Load(QStringLiteral("/nonexistent/uebersetzung.txt"), QString(),
                           QStringLiteral("\t")));
    EXPECT_EQ(file.RowCount(), 0);
}

// group, form, component, property, index, language 0, German, English, …
QByteArray tableFile(const QList<QByteArray>& lines)
{
    QByteArray bytes = "group\tform\tcomponent\tproperty\tindex\tundefined\tde\ten\r\n";
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

TEST(TranslationTable, ReadsEntriesAsTheFileAddressesThem)
{
    TranslationTable table;
    table.LoadFromBytes(tableFile({
        "\tTfrm_calc\tlbl_a\tcaption\t\t\tA\tAa", // empty index: 0; kind without regard to case
        "\t\t\t\t\t\t\t",                         // all empty: skipped
        "\tTfrm_calc\tcbo_b\tItems.Strings\t3\t\tB\tBb",
        "\tTfrm_calc\tlbl_c\tColour\t1\t\tC\t@@",  // an unknown kind
        "\tTfrm_calc\tlbl_d\tHint\tzwei\t\tD\tDd", // an index that is no number
    }));
    const QList<TranslationEntry>& entries = table.Entries();
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(entries[0].property, PropertyKind::Caption);
    EXPECT_EQ(entries[0].index, 0);
    EXPECT_EQ(entries[0].Text(LanguageGerman), u"A");
    EXPECT_EQ(entries[0].Text(LanguageEnglish), u"Aa");
    EXPECT_EQ(entries[0].Text(LanguagePolish), u"");
    EXPECT_EQ(entries[1].property, PropertyKind::ItemsStrings);
    EXPECT_EQ(entries[1].index, 3);
    EXPECT_EQ(entries[2].property, PropertyKind::Undefined);
    EXPECT_EQ(TranslationEntry::Shown(entries[2].Text(LanguageEnglish)), u"");

    // A table of six columns has its one text in German.
    table.LoadFromBytes("header\r\n\tTfrm_calc\tlbl_a\tCaption\t0\tNur Deutsch\r\n");
    ASSERT_EQ(table.Entries().size(), 1);
    EXPECT_EQ(table.Entries()[0].Text(LanguageGerman), u"Nur Deutsch");
    // In a wider table, a row that ends before the German column has no German text.
    table.LoadFromBytes("h\th\th\th\th\th\th\th\r\n\tTfrm_calc\tlbl_a\tCaption\t0\tSpalte 5\r\n");
    ASSERT_EQ(table.Entries().size(), 1);
    EXPECT_EQ(table.Entries()[0].Text(LanguageGerman), u"");

    // Without a header the first line is taken for it.
    table.LoadFromBytes("\tTfrm_calc\tlbl_a\tCaption\t0\t\tA\tAa\r\n");
    EXPECT_TRUE(table.IsEmpty());

    EXPECT_FALSE(table.LoadTranslations(QStringLiteral("/nonexistent/uebersetzung.txt")));
    EXPECT_TRUE(table.IsEmpty());
}

TEST(TranslationTable, FillStringsWritesEachTextOncePerLanguageAndKeepsTheRest)
{
    TranslationTable table;
    table.LoadFromBytes(tableFile({
        "\t\tMC_strings\t\t0\t\tNull\tZero",
        "\t\tmc_STRINGS\t\t2\t\tZwei\t@@",       // the key without regard to case; "@@" empties
        "\t\tMC_strings\t\t7\t\tSieben\tSeven",  // beyond the highest index
        "other\t\tMC_strings\t\t1\t\tEins\tOne", // only for the group "other" or none
        "\tTfrm_calc\tMC_strings\tCaption\t1\t\tEins\tWrong", // a form's entry
    }));
    QStringList array = strings({"null", "eins", "zwei"});
    table.FillStrings(array, 2, QStringLiteral("OTHER"), QStringLiteral("MC_strings"),
                      LanguageEnglish);
    EXPECT_EQ(array, strings({"null", "One", "zwei"})) << "only the group's entries";

    table.FillStrings(array, 2, QString(), QStringLiteral("MC_strings"), LanguageEnglish);
    EXPECT_EQ(array, strings({"Zero", "One", ""}));
    array[1] = QStringLiteral("eins");
    table.FillStrings(array, 2, QString(), QStringLiteral("MC_strings"), LanguageEnglish);
    EXPECT_EQ(array[1], u"eins") << "written once per language";

    QStringList polish = strings({"null", "eins", "zwei"});
    table.FillStrings(polish, 2, QString(), QStringLiteral("MC_strings"), LanguagePolish);
    EXPECT_EQ(polish, strings({"null", "eins", "zwei"})) << "no Polish: German stays";
}

} // namespace
