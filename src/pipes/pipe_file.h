// The pipe data file: one fixed-size record per pipe dimension, little-endian, in one of two
// layouts told apart by the first four bytes. The current layout has a 55-byte header that
// starts with the magic 20040610, then 465-byte records; the legacy layout has no header and
// 128-byte records, which are moved into current records on reading. Lengths are in mm.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

inline constexpr qint32 PipeFileMagic = 20040610;
inline constexpr int PipeHeaderSize = 55;
inline constexpr int PipeRecordSize = 465;
inline constexpr int LegacyRecordSize = 128;
inline constexpr int PipeNameLength = 100;

// The 48-bit real: byte 0 the exponent with bias 129 (0 for the value 0), bytes 1 to 5 a
// 39-bit mantissa with an implied leading 1, least significant byte first, bit 7 of byte 5
// the sign.
using Real48 = std::array<uchar, 6>;
double Real48ToDouble(const Real48& real);
// Nothing for a value the format cannot hold (beyond about 1.7E38, or not a number);
// values too small for it become 0.
std::optional<Real48> DoubleToReal48(double value);

struct PipeRecord {
    // The 465 bytes of the current layout with the two link fields cleared; the fields
    // below are read from them and everything else is kept as it was.
    QByteArray raw;
    quint8 group = 0;         // first sort key
    quint8 series = 0;        // second sort key
    qint16 dn = 0;            // nominal diameter, third sort key
    double innerDiameter = 0; // mm
    double roughness = 0;     // mm
    QString name;             // up to 100 characters; the fourth sort key
    QString secondText;       // up to 15 characters, not shown
    bool active = false;
};

struct PipeFileContents {
    QList<PipeRecord> records; // sorted, and all active if the file marked none
    int headerByte = 1;        // byte 4 of a current header, 1 … 25
};

// The records of a whole file, whatever its bytes: a partial last record is read with its
// missing bytes zero, an empty or unreadable file gives no records.
PipeFileContents ReadPipeFile(const QByteArray& bytes);
// The file at `path`; a file that cannot be opened gives no records.
PipeFileContents LoadPipeFile(const QString& path);
// "Standard.FMA" for German (1), "Standard_PL.FMA" for Polish (12), else "Standard_EN.FMA".
QString PipeFileName(int languageCode);

// What a delivered record holds. The outer diameter and the wall go into the record's
// further pipe data (offsets 16 and 22), which the pages do not read.
struct PipeDimension {
    int group = 0;
    int series = 0;
    int dn = 0;
    double outerDiameter = 0;
    double wall = 0;
    double innerDiameter = 0;
    double roughness = 0;
    QString name;
};

// A current-layout record, active; nothing when a value or the name does not fit the layout.
std::optional<QByteArray> MakePipeRecord(const PipeDimension& pipe);
// A current-layout file: header with the magic and `headerByte`, then the records as given.
QByteArray WritePipeFile(const QList<QByteArray>& records, int headerByte = 1);
