#include "pipe_circuit.h"

#include "calculator/key_filter.h"
#include "calculator/number_text.h"
#include "pipes/fluid_tables.h"
#include "pipes/pressure_units.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

const QString kTitle = QStringLiteral("Quorvanta-Heizkreis");
constexpr int kNameLength = 100;
// The temperatures a file may carry: the fluid tables end at -20 °C and 160 °C, the page's
// field takes any number; beyond these a file was not written by the program.
constexpr double kTemperatureLimit = 1000;

QString fileNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<double> readNumber(const QString& cell)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(cell.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> readInteger(const QString& cell)
{
    bool ok = false;
    const int value = cell.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// A field's text for a number, as the field itself would show it.
QString fieldText(PipeField field, double value)
{
    const PipeFieldInfo& info = InfoOf(field);
    return info.emptyIfZero && value == 0 ? QString() : FixedText(value, info.decimals);
}

QString caption(const ControlTexts& texts, const char* component)
{
    return texts.Text(QString::fromLatin1(component), TextProperty::Caption).simplified();
}

} // namespace

std::optional<CircuitSection> SectionFromPage(const PipePageModel& page, const QString& name)
{
    const auto result = page.Result();
    if (!result || !result->lossComputed)
        return std::nullopt;
    CircuitSection section;
    section.name = CleanSectionName(name);
    section.load = FieldFloat(page.Text(PipeField::edtLeistung));
    section.pipe = page.SelectedPipe();
    section.length = FieldFloat(page.Text(PipeField::edtLang));
    section.zeta = FieldFloat(page.Text(PipeField::edtZetawert));
    return section;
}

void ShowSection(PipePageModel& page, const CircuitSection& section)
{
    page.SetText(PipeField::edtLeistung, fieldText(PipeField::edtLeistung, section.load));
    page.VolumeFlowFromLoad();
    if (section.pipe >= 0 && section.pipe < page.Pipes().size())
        page.PipeChosen(section.pipe);
    page.SetText(PipeField::edtLang, fieldText(PipeField::edtLang, section.length));
    page.SetText(PipeField::edtZetawert, fieldText(PipeField::edtZetawert, section.zeta));
    page.UpdatePipe();
}

QList<SectionResult> Evaluate(const PipePageModel& page, const QList<CircuitSection>& sections)
{
    QList<SectionResult> results;
    for (const CircuitSection& section : sections) {
        SectionResult entry{section, std::nullopt};
        if (section.pipe >= 0 && section.pipe < page.Pipes().size()) {
            PipePageModel sizing = page;
            ShowSection(sizing, section);
            entry.result = sizing.Result();
        }
        results.append(entry);
    }
    return results;
}

CircuitTotals Totals(const QList<SectionResult>& results)
{
    CircuitTotals totals;
    totals.sections = int(results.size());
    totals.complete = !results.isEmpty();
    for (const SectionResult& entry : results) {
        totals.length += entry.section.length;
        if (!entry.result || !entry.result->lossComputed) {
            totals.complete = false;
            continue;
        }
        totals.loss += entry.result->total;
        totals.maxVelocity = std::max(totals.maxVelocity, entry.result->velocity);
    }
    if (!results.isEmpty() && results.front().result) {
        const PipeResult& first = *results.front().result;
        totals.pumpFlow = first.flow;
        // 1 mbar = 100 Pa; H = Δp / (ρ g).
        if (first.density > 0)
            totals.headMetres = totals.loss * 100 / (first.density * StandardGravity);
    }
    totals.headKilopascal = totals.loss / 10;
    return totals;
}

QString NextSectionName(const QList<CircuitSection>& sections)
{
    static const QRegularExpression numbered(QStringLiteral("^TS (\\d{1,6})$"));
    int highest = 0;
    for (const CircuitSection& section : sections) {
        const auto match = numbered.match(section.name);
        if (match.hasMatch())
            highest = std::max(highest, match.captured(1).toInt());
    }
    return QStringLiteral("TS %1").arg(highest + 1);
}

QString CleanSectionName(const QString& name)
{
    QString clean = name;
    for (QChar& c : clean)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u' ';
    clean = clean.trimmed().left(kNameLength);
    // Cut within a pair of surrogates, the name would not survive its file.
    if (!clean.isEmpty() && clean.back().isHighSurrogate())
        clean.chop(1);
    return clean.trimmed();
}

QByteArray WriteCircuitFile(const CircuitFile& file)
{
    QStringList lines{kTitle,
                      QStringLiteral("version\t%1").arg(CircuitFileVersion),
                      QStringLiteral("fluid\t%1").arg(file.fluid),
                      QStringLiteral("tv\t") + fileNumber(file.tv),
                      QStringLiteral("tr\t") + fileNumber(file.tr),
                      QStringLiteral("colebrook\t%1").arg(file.law == FrictionLaw::Colebrook),
                      QStringLiteral("sections\t%1").arg(file.sections.size())};
    for (const CircuitSection& s : file.sections)
        lines.append(QStringList{CleanSectionName(s.name), fileNumber(s.load),
                                 QString::number(s.pipe), fileNumber(s.length), fileNumber(s.zeta)}
                         .join(u'\t'));
    return (lines.join(u'\n') + u'\n').toUtf8();
}

CircuitFileRead ReadCircuitFile(const QByteArray& bytes, int pipeCount)
{
    using E = CircuitFileError;
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringList lines = QString::fromUtf8(data).split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();

    int at = 0; // lines read
    const auto fail = [&](E error) { return CircuitFileRead{std::nullopt, error, at}; };
    if (lines.isEmpty())
        return fail(E::Empty);
    at = 1;
    if (lines[0].trimmed() != kTitle)
        return fail(E::NotACircuit);

    // "key<TAB>value" at the next line; none when the file ends before it.
    std::optional<E> error;
    const auto value = [&](const char* key) -> QString {
        if (at >= lines.size()) {
            error = E::Truncated;
            return {};
        }
        const QStringList cells = lines[at++].split(u'\t');
        if (cells.size() != 2 || cells[0] != QLatin1String(key)) {
            error = E::BadValue;
            return {};
        }
        return cells[1];
    };

    const QString versionText = value("version");
    if (error)
        return fail(*error);
    const auto version = readInteger(versionText);
    if (!version)
        return fail(E::BadValue);
    if (*version != CircuitFileVersion)
        return fail(E::Version);

    CircuitFile file;
    const auto fluid = readInteger(value("fluid"));
    if (error)
        return fail(*error);
    if (!fluid || !AvailableFluids().contains(*fluid))
        return fail(E::BadValue);
    file.fluid = *fluid;
    for (const auto& [key, target] : {std::pair{"tv", &file.tv}, std::pair{"tr", &file.tr}}) {
        const auto t = readNumber(value(key));
        if (error)
            return fail(*error);
        if (!t || std::fabs(*t) > kTemperatureLimit)
            return fail(E::BadValue);
        *target = *t;
    }
    const auto colebrook = readInteger(value("colebrook"));
    if (error)
        return fail(*error);
    if (!colebrook || (*colebrook != 0 && *colebrook != 1))
        return fail(E::BadValue);
    file.law = *colebrook ? FrictionLaw::Colebrook : FrictionLaw::PageChain;
    const auto count = readInteger(value("sections"));
    if (error)
        return fail(*error);
    if (!count || *count < 0)
        return fail(E::BadValue);
    if (*count > MaxSections)
        return fail(E::TooMany);

    const auto inRange = [](const std::optional<double>& v, double low, PipeField field) {
        return v && *v >= low && *v <= InputLimit(field).value_or(0);
    };
    for (int i = 0; i < *count; ++i) {
        if (at >= lines.size())
            return fail(E::Truncated);
        const QStringList cells = lines[at++].split(u'\t');
        if (cells.size() < 5)
            return fail(E::Truncated);
        if (cells.size() > 5)
            return fail(E::BadValue);
        CircuitSection s;
        s.name = CleanSectionName(cells[0]);
        const auto load = readNumber(cells[1]);
        const auto pipe = readInteger(cells[2]);
        const auto length = readNumber(cells[3]);
        const auto zeta = readNumber(cells[4]);
        if (!inRange(load, 0, PipeField::edtLeistung) || !(*load > 0) ||
            !inRange(length, 0, PipeField::edtLang) || !inRange(zeta, 0, PipeField::edtZetawert) ||
            !pipe || *pipe < 0 || *pipe >= pipeCount)
            return fail(E::BadValue);
        s.load = *load;
        s.pipe = *pipe;
        s.length = *length;
        s.zeta = *zeta;
        file.sections.append(s);
    }
    if (at < lines.size()) {
        ++at;
        return fail(E::BadValue);
    }
    return {std::move(file), E::None, 0};
}

QList<QStringList> CircuitReport(const QList<SectionResult>& results, const PipePageModel& page,
                                 const ControlTexts& texts, QChar separator)
{
    const int unit = page.PressureUnit();
    const QString unitName = PressureUnitName(unit);
    const auto number = [&](double value, int decimals) {
        return WithSeparator(FixedText(value, decimals), separator);
    };
    const auto pressure = [&](double mbar, int inUnit) {
        return WithSeparator(FormatPressure(mbar, inUnit), separator);
    };
    const QString mbar = PressureUnitName(Millibar);
    QList<QStringList> rows{
        {caption(texts, "Tfrm_heizkreis")},
        {caption(texts, "hdr_kreis_name"), caption(texts, "hdr_kreis_q"),
         caption(texts, "hdr_kreis_vp"), caption(texts, "hdr_kreis_rohr"),
         caption(texts, "hdr_kreis_l"), caption(texts, "hdr_kreis_zeta"), caption(texts, "hdr_v"),
         caption(texts, "hdr_r") + u' ' + mbar + QStringLiteral("/m"),
         caption(texts, "hdr_dp") + u' ' + mbar, caption(texts, "hdr_kreis_dpzeta") + u' ' + mbar,
         caption(texts, "hdr_kreis_dp") + u' ' + mbar}};
    for (const SectionResult& entry : results) {
        const CircuitSection& s = entry.section;
        const QString pipe =
            s.pipe >= 0 && s.pipe < page.Pipes().size() ? page.Pipes()[s.pipe].name : QString();
        QStringList row{s.name, number(s.load, 0),   QString(),
                        pipe,   number(s.length, 2), number(s.zeta, 2)};
        const auto& r = entry.result;
        if (r) {
            row[2] = number(r->flow, 3);
            row << number(r->velocity, 2);
            if (r->lossComputed)
                row << pressure(r->r, Millibar) << pressure(r->runLoss, Millibar)
                    << pressure(r->zetaLoss, Millibar) << pressure(r->total, Millibar);
        }
        rows.append(row);
    }
    // The totals only for a circuit whose every section has its losses: a pump chosen from
    // part of the path would be too small.
    const CircuitTotals totals = Totals(results);
    const auto total = [&](const char* component, const QString& value, const QString& unitText) {
        rows.append({caption(texts, component), totals.complete ? value : QString(), unitText});
    };
    rows.append(QStringList());
    total("lbl_kreis_laenge", number(totals.length, 2), QStringLiteral("m"));
    total("lbl_kreis_dp", pressure(totals.loss, Millibar), mbar);
    if (unit != Millibar)
        total("lbl_kreis_dp", pressure(totals.loss, unit), unitName);
    total("lbl_kreis_vmax", number(totals.maxVelocity, 2), QStringLiteral("m/s"));
    total("lbl_kreis_pumpe", number(totals.pumpFlow, 3), QStringLiteral("m³/h"));
    total("lbl_kreis_foerderhoehe", number(totals.headMetres, 2), QStringLiteral("m"));
    total("lbl_kreis_foerderhoehe", number(totals.headKilopascal, 2), QStringLiteral("kPa"));
    return rows;
}

QString CircuitCsv(const QList<QStringList>& report)
{
    QString csv;
    for (const QStringList& row : report) {
        QStringList cells;
        for (const QString& cell : row)
            cells.append(CsvCell(cell));
        csv += cells.join(u';') + QStringLiteral("\r\n");
    }
    return csv;
}

namespace {

// The first row after the sections: the empty row before the totals.
qsizetype totalsStart(const QList<QStringList>& report)
{
    for (qsizetype i = 2; i < report.size(); ++i)
        if (report[i].isEmpty())
            return i;
    return report.size();
}

} // namespace

QStringList CircuitTotalRow(const QList<QStringList>& report, const ControlTexts& texts)
{
    const qsizetype start = totalsStart(report);
    const auto value = [&](qsizetype offset) {
        return start + offset < report.size() ? report[start + offset].value(1) : QString();
    };
    // Length, the loss in mbar, then (in another unit) the loss again, then the velocity.
    const bool otherUnit = report.size() - start == 8;
    QStringList row(report.value(1).size());
    if (row.isEmpty())
        return row;
    row[0] = caption(texts, "lbl_kreis_summe");
    row[4] = value(1);
    row[6] = value(otherUnit ? 4 : 3);
    row.back() = value(2);
    return row;
}

QStringList CircuitTotalLines(const QList<QStringList>& report)
{
    QStringList lines;
    for (qsizetype i = totalsStart(report) + 1; i < report.size(); ++i)
        lines.append(QStringLiteral("%1: %2 %3")
                         .arg(report[i].value(0), report[i].value(1), report[i].value(2))
                         .trimmed());
    return lines;
}

QString CircuitPrintText(const QList<QStringList>& report, const QString& date)
{
    QStringList lines{report.value(0).value(0) + QStringLiteral("    ") + date, QString()};
    const qsizetype start = totalsStart(report);
    for (qsizetype i = 1; i < start; ++i)
        lines.append(report[i].join(u'\t'));
    lines.append(QString());
    lines += CircuitTotalLines(report);
    return lines.join(u'\n');
}
