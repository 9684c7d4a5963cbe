// The pipe data file from any bytes, in both layouts: every record comes out whole and in
// order, the file is written back unchanged, and no pipe it brings makes the sizing show a
// value that is no number.
#include "fuzz_target.h"

#include "pipes/pipe_file.h"
#include "pipes/pipe_page_model.h"

#include <algorithm>
#include <cmath>

namespace {

auto keys(const PipeRecord& r)
{
    return std::make_tuple(r.group, r.series, r.dn);
}

QList<QByteArray> sortedRaws(const PipeFileContents& contents)
{
    QList<QByteArray> raws;
    for (const PipeRecord& r : contents.records)
        raws.append(r.raw);
    std::sort(raws.begin(), raws.end());
    return raws;
}

} // namespace

FUZZ_TARGET(pipe_file)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const PipeFileContents contents = ReadPipeFile(bytes);
    const QList<PipeRecord>& records = contents.records;
    FUZZ_CHECK(contents.headerByte >= 1 && contents.headerByte <= 25,
               QString::number(contents.headerByte));
    FUZZ_CHECK(records.isEmpty() ||
                   std::any_of(records.begin(), records.end(), [](auto& r) { return r.active; }),
               QString());
    for (qsizetype i = 0; i < records.size(); ++i) {
        const PipeRecord& r = records[i];
        FUZZ_CHECK(r.raw.size() == PipeRecordSize, QString::number(r.raw.size()));
        FUZZ_CHECK(r.name.size() <= PipeNameLength && r.secondText.size() <= 15, r.name);
        FUZZ_CHECK(std::isfinite(r.innerDiameter) && std::isfinite(r.roughness), r.name);
        if (i > 0) {
            const PipeRecord& before = records[i - 1];
            FUZZ_CHECK(keys(before) < keys(r) ||
                           (keys(before) == keys(r) && before.name.compare(r.name) <= 0),
                       r.name);
        }
    }

    // Written in the current layout and read again: the same records.
    QList<QByteArray> raws;
    for (const PipeRecord& r : records)
        raws.append(r.raw);
    const PipeFileContents again = ReadPipeFile(WritePipeFile(raws, contents.headerByte));
    FUZZ_CHECK(sortedRaws(again) == sortedRaws(contents) && again.headerByte == contents.headerByte,
               QString::number(records.size()));

    PipePageModel sizing;
    sizing.SetPipes(records);
    for (int i = 0; i < std::min<int>(int(records.size()), 8); ++i) {
        sizing.PipeChosen(i);
        for (int f = 0; f < PipeFieldCount; ++f)
            FUZZ_CHECK(!ShowsNonFinite(sizing.Text(PipeField(f))), sizing.Text(PipeField(f)));
    }
    sizing.FindBestPipe();
    for (int f = 0; f < PipeFieldCount; ++f)
        FUZZ_CHECK(!ShowsNonFinite(sizing.Text(PipeField(f))), sizing.Text(PipeField(f)));
    return 0;
}
