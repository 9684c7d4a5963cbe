#include "pipes/oem_text.h"
#include "pipes/pipe_file.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

PipeRecord decoded(const QByteArray& raw)
{
    const PipeFileContents c = ReadPipeFile(WritePipeFile({raw}));
    return c.records.value(0);
}

QByteArray record(int group, int dn, double inner, const char* name, int series = 0)
{
    return *MakePipeRecord(
        {group, series, dn, inner + 4, 2, inner, 0.045, QString::fromUtf8(name)});
}

void putReal(QByteArray& bytes, int offset, double value)
{
    const Real48 r = *DoubleToReal48(value);
    std::memcpy(bytes.data() + offset, r.data(), r.size());
}

TEST(Real48, BytesGiveTheirValue)
{
    const struct {
        Real48 bytes;
        double value;
    } cases[] = {
        {{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0}, // exponent 0 is zero whatever follows
        {{0x81, 0, 0, 0, 0, 0}, 1},
        {{0x80, 0, 0, 0, 0, 0}, 0.5},
        {{0x81, 0, 0, 0, 0, 0x80}, -1},
        {{0x84, 0, 0, 0, 0, 0x20}, 10},
        {{0x81, 1, 0, 0, 0, 0}, 1 + std::ldexp(1.0, -39)}, // least significant bit
        {{0xFF, 0, 0, 0, 0, 0}, std::ldexp(1.0, 126)},     // largest exponent: still finite
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Real48ToDouble(c.bytes), c.value);
    }
    for (const double v : {0.045, 0.0015, 12.6, 155.1, -3.25}) {
        SCOPED_TRACE(v);
        EXPECT_NEAR(Real48ToDouble(*DoubleToReal48(v)), v, std::fabs(v) * 1e-11);
    }
    EXPECT_FALSE(DoubleToReal48(1e39));
}

TEST(PipeFile, RecordsSortByGroupSeriesDnAndNameWithTheLaterOfEqualsFirst)
{
    QByteArray first = record(2, 15, 13, "Kupfer");
    QByteArray twin = record(2, 15, 14, "Kupfer"); // same keys, told apart by its diameter
    const PipeFileContents c = ReadPipeFile(WritePipeFile(
        {record(2, 20, 20, "Kupfer"), first, record(1, 50, 53, "Stahl"), twin,
         record(2, 15, 13, "Kupfer B"), record(2, 15, 13, "Alu", 1), record(1, -5, 1, "klein")}));
    QStringList order;
    for (const PipeRecord& r : c.records)
        order << QStringLiteral("%1/%2/%3/%4/%5")
                     .arg(r.group)
                     .arg(r.series)
                     .arg(r.dn)
                     .arg(r.name)
                     .arg(r.innerDiameter);
    EXPECT_EQ(order.join(u' '), u"1/0/-5/klein/1 1/0/50/Stahl/53 2/0/15/Kupfer/14 2/0/15/Kupfer/13 "
                                u"2/0/15/Kupfer B/13 2/0/20/Kupfer/20 2/1/15/Alu/13");
}

TEST(PipeFile, ActiveFlagsAreKeptUnlessNoRecordHasOne)
{
    QByteArray off = record(1, 15, 16, "a");
    off[158] = 0;
    const PipeFileContents none = ReadPipeFile(WritePipeFile({off, off}));
    ASSERT_EQ(none.records.size(), 2);
    EXPECT_TRUE(none.records[0].active && none.records[1].active);
    EXPECT_EQ(none.records[0].raw[158], 1);
    const PipeFileContents one = ReadPipeFile(WritePipeFile({off, record(1, 20, 20, "b")}));
    EXPECT_FALSE(one.records[0].active);
    EXPECT_TRUE(one.records[1].active);
}

TEST(PipeFile, HeaderByteAndLinkFields)
{
    QByteArray raw = record(1, 15, 16, "a");
    raw.replace(457, 8, QByteArray(8, '\x7F'));
    raw[200] = 'x'; // kept
    EXPECT_EQ(ReadPipeFile(WritePipeFile({raw}, 25)).headerByte, 25);
    EXPECT_EQ(ReadPipeFile(WritePipeFile({raw}, 26)).headerByte, 1);
    EXPECT_EQ(ReadPipeFile(WritePipeFile({raw}, 0)).headerByte, 1);
    const PipeRecord r = decoded(raw);
    EXPECT_EQ(r.raw.size(), PipeRecordSize);
    EXPECT_EQ(r.raw.mid(457), QByteArray(8, '\0'));
    EXPECT_EQ(r.raw[200], 'x');
}

TEST(PipeFile, LegacyRecordsMoveIntoCurrentOnes)
{
    QByteArray legacy(LegacyRecordSize, '\0');
    legacy[0] = 3;
    legacy[1] = 4;
    legacy[2] = char(0x2C); // DN 300
    legacy[3] = 1;
    putReal(legacy, 4, 16.1);
    putReal(legacy, 10, 0.045);
    legacy[35] = char(255); // more than the 15 characters the field holds
    std::memcpy(legacy.data() + 36, "Stahlrohr \x9E 1/2\"", 15);
    legacy[51] = 3;
    std::memcpy(legacy.data() + 52, "abc", 3);
    putReal(legacy, 67, 7.5);
    legacy[73] = 1;
    putReal(legacy, 74 + 30, 2.5); // the sixth real
    legacy[110] = 9;
    legacy[120] = 'z';                                                 // not interpreted
    const PipeFileContents c = ReadPipeFile(legacy + legacy.left(20)); // and a partial record
    ASSERT_EQ(c.records.size(), 2);
    const PipeRecord& r = c.records[1];
    EXPECT_EQ(r.group, 3);
    EXPECT_EQ(r.series, 4);
    EXPECT_EQ(r.dn, 300);
    EXPECT_NEAR(r.innerDiameter, 16.1, 1e-9);
    EXPECT_NEAR(r.roughness, 0.045, 1e-12);
    EXPECT_EQ(r.name, u"Stahlrohr × 1/2");
    EXPECT_EQ(r.secondText, u"abc");
    EXPECT_TRUE(r.active);
    Real48 moved;
    std::memcpy(moved.data(), r.raw.constData() + 152, 6);
    EXPECT_EQ(Real48ToDouble(moved), 7.5);
    std::memcpy(moved.data(), r.raw.constData() + 159 + 30, 6);
    EXPECT_EQ(Real48ToDouble(moved), 2.5);
    EXPECT_EQ(r.raw[195], 9);
    EXPECT_EQ(r.raw.count('z'), 0);
    // The partial record ends after its roughness: the rest is zero, no name, not active.
    EXPECT_EQ(c.records[0].name, u"");
    EXPECT_NEAR(c.records[0].roughness, 0.045, 1e-12);
    EXPECT_FALSE(c.records[0].active);
}

TEST(PipeFile, AnyBytesReadWithinTheFile)
{
    QByteArray magic = WritePipeFile({});
    QByteArray longName = record(1, 15, 16, "x");
    longName[35] = char(255);
    longName.replace(36, 200, QByteArray(200, 'n'));
    QByteArray hugeExponent = record(1, 15, 16, "x");
    hugeExponent[4] = char(255);
    const struct {
        const char* what;
        QByteArray bytes;
        int records;
    } cases[] = {
        {"empty file", QByteArray(), 0},
        {"three bytes", QByteArray("\x01\x02\x03", 3), 1},
        {"truncated header", magic.left(30), 0},
        {"header only", magic, 0},
        {"partial record", magic + QByteArray(10, '\x05'), 1},
        {"name length 255", WritePipeFile({longName}), 1},
        {"exponent 255", WritePipeFile({hugeExponent}), 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const PipeFileContents read = ReadPipeFile(c.bytes);
        EXPECT_EQ(read.records.size(), c.records);
    }
    EXPECT_EQ(ReadPipeFile(WritePipeFile({longName})).records[0].name, QString(100, u'n'));
    EXPECT_TRUE(
        std::isfinite(ReadPipeFile(WritePipeFile({hugeExponent})).records[0].innerDiameter));
    // A length byte beyond the text written, or a record cut inside its name: the name ends
    // at its first NUL.
    QByteArray padded = record(1, 15, 16, "abcd");
    padded[35] = char(40);
    EXPECT_EQ(ReadPipeFile(WritePipeFile({padded})).records[0].name, u"abcd");
    const QByteArray cut =
        WritePipeFile({record(1, 15, 16, "abcdefgh")}).chopped(PipeRecordSize - 40);
    EXPECT_EQ(ReadPipeFile(cut).records[0].name, u"abcd");

    std::mt19937 random(20040610);
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes(int(random() % 3000), '\0');
        for (char& b : bytes)
            b = char(random());
        if (round % 2)
            bytes.replace(0, std::min<qsizetype>(4, bytes.size()), magic.left(4));
        for (const PipeRecord& r : ReadPipeFile(bytes).records) {
            ASSERT_EQ(r.raw.size(), PipeRecordSize);
            ASSERT_LE(r.name.size(), PipeNameLength);
        }
    }
}

TEST(PipeFile, MissingFileGivesNoRecordsAndTheNameFollowsTheLanguage)
{
    EXPECT_TRUE(LoadPipeFile(QStringLiteral("/nonexistent/Standard.FMA")).records.isEmpty());
    EXPECT_EQ(PipeFileName(1), u"Standard.FMA");
    EXPECT_EQ(PipeFileName(12), u"Standard_PL.FMA");
    EXPECT_EQ(PipeFileName(2), u"Standard_EN.FMA");
    EXPECT_EQ(PipeFileName(25), u"Standard_EN.FMA");
}

TEST(OemText, CodePage850BothWays)
{
    EXPECT_EQ(OemToText(QByteArray("\x81\x84\x94\x8E\x99\x9A\xE1\x9E\xF8", 9)), u"üäöÄÖÜß×°");
    EXPECT_EQ(TextToOem(QStringLiteral("Rohr 15 × 1")), QByteArray("Rohr 15 \x9E 1"));
    EXPECT_FALSE(TextToOem(QStringLiteral("Rura stalowa łączona")));
}

// The delivered files as the build wrote them, read back against the table they came from.
TEST(DeliveredPipeFiles, ReadBackAsTheTableSays)
{
    QFile table(QStringLiteral(PIPE_TABLE));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(table.readAll()).split(u'\n')) {
        if (!line.isEmpty() && !line.startsWith(u'#') && !line.startsWith(u"group"))
            rows.append(line.split(u';'));
    }
    ASSERT_GE(rows.size(), 40);
    const char* const files[3] = {"Standard.FMA", "Standard_EN.FMA", "Standard_PL.FMA"};
    for (int language = 0; language < 3; ++language) {
        SCOPED_TRACE(files[language]);
        const PipeFileContents c =
            LoadPipeFile(QStringLiteral(PIPE_FILES_DIR "/") + QString::fromLatin1(files[language]));
        ASSERT_EQ(c.records.size(), rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            const PipeRecord& r = c.records[i];
            SCOPED_TRACE(rows[i].join(u';').toStdString());
            EXPECT_EQ(r.group, rows[i][0].toInt());
            EXPECT_EQ(r.dn, rows[i][1].toInt());
            EXPECT_NEAR(r.innerDiameter, rows[i][4].toDouble(), 1e-9);
            EXPECT_NEAR(r.roughness, rows[i][5].toDouble(), 1e-12);
            EXPECT_EQ(r.name, rows[i][6 + language]);
            EXPECT_TRUE(r.active);
        }
    }
}

} // namespace
