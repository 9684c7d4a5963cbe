// Writes the pipe files delivered beside the program from the dimension table in data/:
//   make_pipe_files TABLE DIR   →   DIR/Standard.FMA (German names), DIR/Standard_EN.FMA,
//                                   DIR/Standard_PL.FMA
// TABLE: UTF-8, "#" lines are comments, then a header line and one pipe a line:
//   group;dn;outer;wall;inner;roughness;name_de;name_en;name_pl   (lengths in mm)
// Any line that does not fit the file layout stops the build with its line number.
#include "pipes/engine/pipe_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kColumns = 9;
constexpr int kFirstName = 6;
const char* const kFiles[3] = {"Standard.FMA", "Standard_EN.FMA", "Standard_PL.FMA"};

bool number(const QString& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

bool integer(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

int fail(const QString& table, int line, const char* why)
{
    std::fprintf(stderr, "%s:%d: %s\n", qPrintable(table), line, why);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: make_pipe_files TABLE DIR\n", stderr);
        return 2;
    }
    const QString table = QString::fromLocal8Bit(argv[1]);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    QFile source(table);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QStringList lines = QString::fromUtf8(source.readAll()).split(u'\n');

    QList<QByteArray> records[3];
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (!headerSeen) {
            headerSeen = true;
            continue;
        }
        const QStringList cells = line.split(u';');
        if (cells.size() != kColumns)
            return fail(table, lineNumber, "a pipe needs 9 fields");
        PipeDimension pipe;
        if (!integer(cells[0], pipe.group) || !integer(cells[1], pipe.dn) ||
            !number(cells[2], pipe.outerDiameter) || !number(cells[3], pipe.wall) ||
            !number(cells[4], pipe.innerDiameter) || !number(cells[5], pipe.roughness))
            return fail(table, lineNumber, "a number does not read");
        if (std::fabs(pipe.outerDiameter - 2 * pipe.wall - pipe.innerDiameter) > 0.0005 ||
            pipe.innerDiameter <= 0 || pipe.roughness <= 0)
            return fail(table, lineNumber, "inner diameter is not outer diameter less two walls");
        for (int language = 0; language < 3; ++language) {
            pipe.name = cells[kFirstName + language].trimmed();
            const auto record = MakePipeRecord(pipe);
            if (pipe.name.isEmpty() || !record)
                return fail(table, lineNumber,
                            "a name is empty, longer than 100 characters or not in code page 850");
            records[language].append(*record);
        }
    }
    if (records[0].isEmpty())
        return fail(table, lines.size(), "no pipes");

    QDir().mkpath(dir);
    for (int language = 0; language < 3; ++language) {
        QSaveFile out(QDir(dir).filePath(QString::fromLatin1(kFiles[language])));
        if (!out.open(QIODevice::WriteOnly) || out.write(WritePipeFile(records[language])) < 0 ||
            !out.commit()) {
            std::fprintf(stderr, "cannot write %s into %s\n", kFiles[language], argv[2]);
            return 1;
        }
    }
    return 0;
}
