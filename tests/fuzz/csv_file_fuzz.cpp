// The CSV reader under the translation file from any bytes: its grid gives back every line it
// read, quoted fields survive a write and read, and no cell is read outside the grid.
#include "fuzz_target.h"

#include "i18n/csv_file.h"

namespace {

QString rowText(const CsvFile& file, int row, QChar separator)
{
    QStringList cells;
    for (int col = 0; col < file.ColCount(); ++col)
        cells.append(file.Cell(col, row));
    QString text = cells.join(separator);
    while (text.endsWith(separator))
        text.chop(1);
    return text;
}

// Without a quote, a UTF-8 text without byte-order mark and CR comes back line by line.
void checkLines(QByteArrayView bytes, const CsvFile& file)
{
    QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() != bytes || text.contains(u'\r') || text.startsWith(QChar(0xFEFF)) ||
        bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE") || text.isEmpty())
        return;
    if (text.endsWith(u'\n'))
        text.chop(1);
    const QStringList lines = text.split(u'\n');
    FUZZ_CHECK(file.RowCount() == lines.size(), QString::number(file.RowCount()));
    for (int row = 0; row < file.RowCount(); ++row) {
        QString line = lines[row];
        while (line.endsWith(u'\t'))
            line.chop(1);
        FUZZ_CHECK(rowText(file, row, u'\t') == line, line);
    }
}

// Every cell quoted, quotes doubled: the same grid again (written as UTF-8, which has no
// room for a lone surrogate half a broken UTF-16 file may leave).
void checkQuoted(const CsvFile& file)
{
    QStringList rows;
    for (int row = 0; row < file.RowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < file.ColCount(); ++col)
            if (!QStringView(file.Cell(col, row)).isValidUtf16())
                return;
        for (int col = 0; col < file.ColCount(); ++col)
            cells.append(u'"' + QString(file.Cell(col, row)).replace(u'"', QStringLiteral("\"\"")) +
                         u'"');
        rows.append(cells.join(u';'));
    }
    CsvFile again;
    again.LoadFromBytes(rows.join(u'\n').toUtf8(), QStringLiteral("\""), QStringLiteral(";"),
                        QStringConverter::Utf8);
    FUZZ_CHECK(again.RowCount() == file.RowCount(), QString::number(again.RowCount()));
    for (int row = 0; row < file.RowCount(); ++row)
        for (int col = 0; col < file.ColCount(); ++col)
            FUZZ_CHECK(again.Cell(col, row) == file.Cell(col, row), file.Cell(col, row));
}

} // namespace

FUZZ_TARGET(csv_file)
{
    const QByteArrayView bytes(data, qsizetype(size));
    CsvFile file;
    file.LoadFromBytes(bytes, QString(), QStringLiteral("\t"));
    checkLines(bytes, file);
    checkQuoted(file);
    FUZZ_CHECK(file.Cell(file.ColCount(), 0).isEmpty() && file.Cell(-1, 0).isEmpty() &&
                   file.RowEmpty(file.RowCount()),
               QString());
    return 0;
}
