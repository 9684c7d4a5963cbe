// The heating circuit file from any bytes: a file is taken whole or refused with a reason;
// what is taken keeps its limits, is written back and read again unchanged, and no section
// it brings makes the circuit show a value that is no number.
#include "fuzz_target.h"

#include "calculator/number_text.h"
#include "pipes/pipe_circuit.h"

#include <cmath>

namespace {

PipeRecord pipe(int dn, double innerMm, double roughnessMm)
{
    PipeRecord r;
    r.group = 1;
    r.dn = qint16(dn);
    r.innerDiameter = innerMm;
    r.roughness = roughnessMm;
    r.name = QStringLiteral("DN %1").arg(dn);
    r.active = true;
    return r;
}

bool sameSections(const QList<CircuitSection>& a, const QList<CircuitSection>& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || a[i].load != b[i].load || a[i].pipe != b[i].pipe ||
            a[i].length != b[i].length || a[i].zeta != b[i].zeta)
            return false;
    return true;
}

} // namespace

FUZZ_TARGET(circuit_file)
{
    const QList<PipeRecord> pipes{pipe(10, 12.6, 0.045), pipe(15, 16.1, 0.045),
                                  pipe(20, 21.7, 0.045), pipe(25, 27.3, 0.045)};
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CircuitFileRead read = ReadCircuitFile(bytes, int(pipes.size()));
    FUZZ_CHECK(bool(read.file) == (read.error == CircuitFileError::None),
               QString::number(int(read.error)));
    if (!read.file)
        return 0;
    const CircuitFile& file = *read.file;
    FUZZ_CHECK(file.sections.size() <= MaxSections, QString::number(file.sections.size()));
    FUZZ_CHECK(std::isfinite(file.tv) && std::isfinite(file.tr), QString());
    for (const CircuitSection& s : file.sections) {
        FUZZ_CHECK(s.pipe >= 0 && s.pipe < pipes.size(), QString::number(s.pipe));
        FUZZ_CHECK(s.load > 0 && s.load <= 1e9 && s.length >= 0 && s.length <= 1e5 && s.zeta >= 0 &&
                       s.zeta <= 1e4,
                   s.name);
        FUZZ_CHECK(CleanSectionName(s.name) == s.name, s.name);
    }

    const CircuitFileRead again = ReadCircuitFile(WriteCircuitFile(file), int(pipes.size()));
    FUZZ_CHECK(again.file && again.file->fluid == file.fluid && again.file->tv == file.tv &&
                   again.file->tr == file.tr && again.file->law == file.law &&
                   sameSections(again.file->sections, file.sections),
               QString::number(int(again.error)));

    // The circuit on a page at the file's temperatures, fluid and law.
    PipePageModel page;
    page.SetPipes(pipes);
    page.SetText(PipeField::edttv, FixedText(file.tv, 1));
    page.SetText(PipeField::edttr, FixedText(file.tr, 1));
    page.FrictionLawChosen(file.law == FrictionLaw::Colebrook);
    page.FluidChosen(file.fluid);
    // A few sections are enough to reach every path of the evaluation.
    const QList<SectionResult> results = Evaluate(page, file.sections.mid(0, 16));
    const CircuitTotals totals = Totals(results);
    FUZZ_CHECK(std::isfinite(totals.loss) && std::isfinite(totals.headMetres) &&
                   std::isfinite(totals.maxVelocity) && totals.loss >= 0,
               QString::number(totals.loss));
    const QList<QStringList> report = CircuitReport(results, page, PipeControlTexts(), u',');
    // The numbers: of a section all but its name and pipe, of a total row its value.
    for (qsizetype r = 2; r < report.size(); ++r) {
        const bool section = r < 2 + results.size();
        for (qsizetype c = 1; c < report[r].size(); ++c)
            if (section ? c != 3 : c == 1)
                FUZZ_CHECK(!ShowsNonFinite(report[r][c]), report[r][c]);
    }
    return 0;
}
