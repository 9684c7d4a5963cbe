#include "pipe_file.h"

#include "oem_text.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Offsets in a current record.
constexpr int kDn = 2;
constexpr int kInnerDiameter = 4;
constexpr int kRoughness = 10;
constexpr int kOuterDiameter = 16;
constexpr int kWall = 22;
constexpr int kName = 35;
constexpr int kSecondText = 136;
constexpr int kSecondTextLength = 15;
constexpr int kActive = 158;
constexpr int kLinks = 457; // two 4-byte link fields up to the end of the record

// Where the parts of a legacy record go in a current one: {from, to, size}.
struct Move {
    int from;
    int to;
    int size;
};
constexpr Move kLegacyMoves[] = {
    {0, 0, 35},    // sort keys, DN, diameters, further pipe data
    {35, 35, 16},  // name: length byte and 15 characters
    {51, 136, 16}, // second text
    {67, 152, 6},  // a real
    {73, 158, 1},  // active flag
    {74, 159, 36}, // six reals
    {110, 195, 2}, // a 16-bit value
};
constexpr int kLegacyNameLength = 15;

quint32 littleEndian32(const char* p)
{
    return quint32(uchar(p[0])) | quint32(uchar(p[1])) << 8 | quint32(uchar(p[2])) << 16 |
           quint32(uchar(p[3])) << 24;
}

Real48 real48At(const QByteArray& raw, int offset)
{
    Real48 real;
    std::memcpy(real.data(), raw.constData() + offset, real.size());
    return real;
}

// A length-prefixed text of at most `limit` characters; a length byte beyond the field
// reads the field only, and a text ends at its first NUL (a record cut short by the end of
// the file, or a length byte larger than what the saving program wrote).
QString shortString(const QByteArray& raw, int offset, int limit)
{
    const int length = std::min(int(uchar(raw[offset])), limit);
    QByteArray text = raw.mid(offset + 1, length);
    if (const qsizetype nul = text.indexOf('\0'); nul >= 0)
        text.truncate(nul);
    return OemToText(text);
}

// `size` bytes from `offset`, zero where the file ends first.
QByteArray chunk(const QByteArray& bytes, qsizetype offset, int size)
{
    QByteArray part = bytes.mid(offset, size);
    part.append(size - part.size(), '\0');
    return part;
}

QByteArray fromLegacy(const QByteArray& legacy)
{
    QByteArray raw(PipeRecordSize, '\0');
    for (const Move& m : kLegacyMoves)
        std::memcpy(raw.data() + m.to, legacy.constData() + m.from, size_t(m.size));
    raw[kName] = char(std::min(int(uchar(raw[kName])), kLegacyNameLength));
    return raw;
}

PipeRecord decode(QByteArray raw)
{
    std::memset(raw.data() + kLinks, 0, size_t(PipeRecordSize - kLinks));
    PipeRecord r;
    r.group = uchar(raw[0]);
    r.series = uchar(raw[1]);
    r.dn = qint16(quint16(uchar(raw[kDn])) | quint16(uchar(raw[kDn + 1])) << 8);
    r.innerDiameter = Real48ToDouble(real48At(raw, kInnerDiameter));
    r.roughness = Real48ToDouble(real48At(raw, kRoughness));
    r.name = shortString(raw, kName, PipeNameLength);
    r.secondText = shortString(raw, kSecondText, kSecondTextLength);
    r.active = raw[kActive] != 0;
    r.raw = std::move(raw);
    return r;
}

bool lessByKeys(const PipeRecord& a, const PipeRecord& b)
{
    if (a.group != b.group)
        return a.group < b.group;
    if (a.series != b.series)
        return a.series < b.series;
    if (a.dn != b.dn)
        return a.dn < b.dn;
    return QStringView(a.name).compare(QStringView(b.name)) < 0;
}

} // namespace

double Real48ToDouble(const Real48& real)
{
    if (real[0] == 0)
        return 0;
    quint64 mantissa = quint64(real[5] & 0x7F);
    for (int i = 4; i >= 1; --i)
        mantissa = mantissa << 8 | real[size_t(i)];
    const double value = std::ldexp(1.0 + std::ldexp(double(mantissa), -39), int(real[0]) - 129);
    return (real[5] & 0x80) ? -value : value;
}

std::optional<Real48> DoubleToReal48(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    Real48 real{};
    if (value == 0)
        return real;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent); // 0.5 <= fraction < 1
    quint64 mantissa = quint64(std::llround(std::ldexp(2 * fraction - 1, 39)));
    if (mantissa >> 39) { // rounded up to the next power of two
        mantissa = 0;
        ++exponent;
    }
    const int biased = exponent + 128;
    if (biased > 255)
        return std::nullopt;
    if (biased < 1)
        return real;
    real[0] = uchar(biased);
    for (int i = 1; i <= 5; ++i, mantissa >>= 8)
        real[size_t(i)] = uchar(mantissa & 0xFF);
    if (value < 0)
        real[5] |= 0x80;
    return real;
}

PipeFileContents ReadPipeFile(const QByteArray& bytes)
{
    PipeFileContents contents;
    const bool current =
        bytes.size() >= 4 && qint32(littleEndian32(bytes.constData())) == PipeFileMagic;
    qsizetype offset = 0;
    if (current) {
        const int headerByte = bytes.size() > 4 ? uchar(bytes[4]) : 0;
        contents.headerByte = headerByte >= 1 && headerByte <= 25 ? headerByte : 1;
        offset = PipeHeaderSize;
    }
    const int size = current ? PipeRecordSize : LegacyRecordSize;
    QList<PipeRecord> read;
    for (; offset < bytes.size(); offset += size) {
        const QByteArray record = chunk(bytes, offset, size);
        read.append(decode(current ? record : fromLegacy(record)));
    }
    // A record goes before the first one not smaller than it: among equal keys the one read
    // later comes first.
    std::reverse(read.begin(), read.end());
    std::stable_sort(read.begin(), read.end(), lessByKeys);
    if (std::none_of(read.begin(), read.end(), [](const PipeRecord& r) { return r.active; })) {
        for (PipeRecord& r : read) {
            r.active = true;
            r.raw[kActive] = 1;
        }
    }
    contents.records = std::move(read);
    return contents;
}

PipeFileContents LoadPipeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ReadPipeFile(file.readAll());
}

QString PipeFileName(int languageCode)
{
    if (languageCode == 1)
        return QStringLiteral("Standard.FMA");
    if (languageCode == 12)
        return QStringLiteral("Standard_PL.FMA");
    return QStringLiteral("Standard_EN.FMA");
}

std::optional<QByteArray> MakePipeRecord(const PipeDimension& pipe)
{
    const auto name = TextToOem(pipe.name);
    if (!name || name->size() > PipeNameLength || pipe.group < 0 || pipe.group > 255 ||
        pipe.series < 0 || pipe.series > 255 || pipe.dn < -32768 || pipe.dn > 32767)
        return std::nullopt;
    QByteArray raw(PipeRecordSize, '\0');
    raw[0] = char(pipe.group);
    raw[1] = char(pipe.series);
    raw[kDn] = char(pipe.dn & 0xFF);
    raw[kDn + 1] = char((pipe.dn >> 8) & 0xFF);
    const std::pair<int, double> reals[] = {{kInnerDiameter, pipe.innerDiameter},
                                            {kRoughness, pipe.roughness},
                                            {kOuterDiameter, pipe.outerDiameter},
                                            {kWall, pipe.wall}};
    for (const auto& [offset, value] : reals) {
        const auto real = DoubleToReal48(value);
        if (!real)
            return std::nullopt;
        std::memcpy(raw.data() + offset, real->data(), real->size());
    }
    raw[kName] = char(name->size());
    std::memcpy(raw.data() + kName + 1, name->constData(), size_t(name->size()));
    raw[kActive] = 1;
    return raw;
}

QByteArray WritePipeFile(const QList<QByteArray>& records, int headerByte)
{
    QByteArray file(PipeHeaderSize, '\0');
    const quint32 magic = quint32(PipeFileMagic);
    for (int i = 0; i < 4; ++i)
        file[i] = char((magic >> (8 * i)) & 0xFF);
    file[4] = char(headerByte);
    for (const QByteArray& record : records)
        file.append(record);
    return file;
}
