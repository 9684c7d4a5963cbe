#include "i18n/csv_file.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Windows-1252 at 0x80 … 0x9F; the rest of the code page is Latin-1. Unassigned bytes keep
// their Latin-1 control character.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

bool startsWith(QByteArrayView bytes, std::initializer_list<unsigned char> mark)
{
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (const unsigned char m : mark)
        if (static_cast<unsigned char>(bytes[i++]) != m)
            return false;
    return true;
}

QString decode(QByteArrayView bytes, std::optional<QStringConverter::Encoding> encoding)
{
    using E = QStringConverter::Encoding;
    if (!encoding) {
        if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
            encoding = E::Utf8;
        else if (startsWith(bytes, {0xFE, 0xFF}))
            encoding = E::Utf16BE;
        else if (startsWith(bytes, {0xFF, 0xFE}))
            encoding = E::Utf16LE;
    }
    if (encoding) {
        // The decoder drops a mark of its own encoding.
        QStringDecoder decoder(*encoding);
        return decoder.decode(bytes);
    }
    // No mark: a file edited as UTF-8 is still read right; everything else is the ANSI
    // code page the table was written in.
    QStringDecoder utf8(E::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? fromWindows1252(bytes) : text;
}

} // namespace

bool CsvFile::Load(const QString& fileName, const QString& quote, const QString& separator,
                   std::optional<QStringConverter::Encoding> encoding)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_rows.clear();
        m_columns = 0;
        return false;
    }
    LoadFromBytes(file.readAll(), quote, separator, encoding);
    return true;
}

void ReadCsvRows(QByteArrayView bytes, const QString& quote, const QString& separator,
                 std::optional<QStringConverter::Encoding> encoding,
                 const std::function<void(const QStringList& fields)>& onRow)
{
    const QString text = decode(bytes, encoding);
    const QChar sep = separator.isEmpty() ? QChar(u'\t') : separator.front();
    const bool quoting = !quote.isEmpty();
    const QChar q = quoting ? quote.front() : QChar();

    QStringList row;
    QString field;
    bool fieldStarted = false; // something of the current field was read
    const auto endField = [&] {
        row.append(field);
        field.clear();
        fieldStarted = false;
    };
    const auto endRow = [&] {
        onRow(row);
        row.clear();
    };

    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (quoting && c == q && !fieldStarted) {
            // A quoted field: up to the closing quote, a doubled quote standing for one.
            fieldStarted = true;
            for (++i; i < n; ++i) {
                if (text[i] != q) {
                    field += text[i];
                } else if (i + 1 < n && text[i + 1] == q) {
                    field += q;
                    ++i;
                } else {
                    break;
                }
            }
        } else if (c == sep) {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            endField();
            endRow();
        } else {
            // The run of plain characters up to the next separator or line end, in one piece.
            qsizetype end = i + 1;
            while (end < n && text[end] != sep && text[end] != u'\r' && text[end] != u'\n')
                ++end;
            field += QStringView(text).sliced(i, end - i);
            fieldStarted = true;
            i = end - 1;
        }
    }
    // A last line without a line end: its pending field counts only if it is not empty.
    if (!field.isEmpty() || fieldStarted)
        endField();
    if (!row.isEmpty())
        endRow();
}

void CsvFile::LoadFromBytes(QByteArrayView bytes, const QString& quote, const QString& separator,
                            std::optional<QStringConverter::Encoding> encoding)
{
    m_rows.clear();
    m_columns = 0;
    ReadCsvRows(bytes, quote, separator, encoding, [this](const QStringList& row) {
        m_columns = std::max(m_columns, int(row.size()));
        m_rows.append(row);
    });
}

QString CsvFile::Cell(int col, int row) const
{
    if (row < 0 || row >= m_rows.size())
        return {};
    return m_rows[row].value(col);
}

bool CsvFile::RowEmpty(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return true;
    for (const QString& field : m_rows[row])
        if (!field.isEmpty())
            return false;
    return true;
}

void CsvFile::SetCell(int col, int row, const QString& text)
{
    if (col < 0 || row < 0)
        return;
    while (m_rows.size() <= row)
        m_rows.append(QStringList());
    QStringList& cells = m_rows[row];
    while (cells.size() <= col)
        cells.append(QString());
    cells[col] = text;
    m_columns = std::max(m_columns, int(cells.size()));
}
