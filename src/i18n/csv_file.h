// CsvFile: a small reader of delimiter-separated text into a grid of strings addressed by
// column and row. Rows may have different numbers of fields; a missing cell reads as empty.
// The translation table is its main reader: a tab as separator, no quote, and the encoding
// found from the byte-order mark.
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringConverter>
#include <QStringList>

#include <functional>
#include <optional>

class CsvFile {
public:
    // Load: reads the whole file. Without an encoding, a byte-order mark decides
    // (UTF-8, UTF-16 big or little endian); without a mark, text that is valid UTF-8 is read
    // as such and anything else as Windows-1252. A file that cannot be read leaves the grid
    // empty and returns false.
    bool Load(const QString& fileName, const QString& quote, const QString& separator,
              std::optional<QStringConverter::Encoding> encoding = {});
    // The same from bytes in memory. LF, CR LF and a lone CR all end a line. With a quote
    // string, a field that starts with it runs to the next lone quote; a doubled quote inside
    // stands for one, and separators and line ends inside are part of the field.
    void LoadFromBytes(QByteArrayView bytes, const QString& quote, const QString& separator,
                       std::optional<QStringConverter::Encoding> encoding = {});

    int RowCount() const { return int(m_rows.size()); }
    // The most fields any row has.
    int ColCount() const { return m_columns; }
    QString Cell(int col, int row) const;
    // Every field of the row is empty (a row that does not exist too).
    bool RowEmpty(int row) const;
    // Writing beyond the grid grows it.
    void SetCell(int col, int row, const QString& text);

private:
    QList<QStringList> m_rows;
    int m_columns = 0;
};

// The rows of CSV text one by one, read as CsvFile reads them, without keeping a grid: each
// row's fields go to `onRow`. For a reader that keeps only what it makes of them.
void ReadCsvRows(QByteArrayView bytes, const QString& quote, const QString& separator,
                 std::optional<QStringConverter::Encoding> encoding,
                 const std::function<void(const QStringList& fields)>& onRow);
