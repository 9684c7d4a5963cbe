// What the pipe page shows beyond the one selected pipe: every pipe of its series at the
// page's flow, the friction chart of the series, and the page as a report to print or save.
#include "pipe_page_model.h"

#include "calculator/float_guard.h"
#include "calculator/key_filter.h"
#include "calculator/number_text.h"
#include "pipes/fluid_tables.h"
#include "pipes/pressure_units.h"

#include <cmath>
#include <numbers>

namespace {

// The chart's flow axis, m³/h, and how many points each decade of a curve has.
constexpr double kChartMinFlow = 0.01;
constexpr double kChartMaxFlow = 1000;
constexpr int kPointsPerDecade = 8;

// Volume flow in m³/h of a velocity in m/s through the diameter d in m.
double flowAt(double velocity, double d)
{
    return velocity * 3600 * std::numbers::pi * d * d / 4;
}

bool faulted(FloatFault fault)
{
    return fault != FloatFault::None;
}

} // namespace

// A number of the page (a field's text, a cell of the table) with the report's separator.
// Number texts carry no grouping, so their only "," or "." is the decimal separator.
QString WithSeparator(QString number, QChar separator)
{
    for (QChar& c : number)
        if (c == u',' || c == u'.')
            c = separator;
    return number;
}

QString CsvCell(const QString& cell)
{
    if (!cell.contains(u';') && !cell.contains(u'"') && !cell.contains(u'\n'))
        return cell;
    QString quoted = cell;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QList<DimensionRow> PipePageModel::DimensionRows() const
{
    QList<DimensionRow> rows;
    const auto [first, last] = seriesRange();
    const auto flow = currentFlow();
    using F = PipeField;
    const double tr = FieldFloat(Text(F::edttr));
    const double tv = FieldFloat(Text(F::edttv));
    const double length = FieldFloat(Text(F::edtLang));
    const double vMax = FieldFloat(Text(F::edtMaxvp));
    const bool viscosityKnown = FluidViscosity(m_fluid, tv, tr) > 0;
    bool bestFound = false;
    for (int i = first; i <= last; ++i) {
        const PipeRecord& pipe = m_pipes[i];
        DimensionRow row;
        row.index = i;
        row.dn = pipe.dn;
        row.innerDiameter = pipe.innerDiameter;
        if (flow) {
            const double d = pipe.innerDiameter / 1000;
            const double k = pipe.roughness / 1000;
            PressureLossResult loss;
            double all = 0;
            row.computed = !faulted(RunGuarded(
                [&]() -> long double { return PipeVelocity(d, flow->volume); }, row.velocity));
            row.lossComputed = row.computed && viscosityKnown &&
                               !faulted(RunGuarded(
                                   [&]() -> long double {
                                       loss = PressureLoss(flow->volume, length, d, k, 0,
                                                           flow->density, tv, tr, m_fluid, m_law);
                                       return (long double)loss.r + loss.total;
                                   },
                                   all));
            row.r = row.lossComputed ? loss.r : 0;
            row.runLoss = row.lossComputed ? loss.total : 0;
        }
        // The pipe search's rule: strictly below the maximum, the first such pipe is taken.
        row.withinLimit = row.computed && vMax != 0 && vMax > row.velocity;
        row.best = row.withinLimit && !bestFound;
        bestFound = bestFound || row.best;
        rows.append(row);
    }
    return rows;
}

QStringList PipePageModel::DimensionCells(const DimensionRow& row) const
{
    QStringList cells{QString::number(row.dn), FixedText(row.innerDiameter, 1)};
    cells << (row.computed ? FixedText(row.velocity, 2) : QString());
    if (!row.lossComputed)
        return cells << QString() << QString();
    return cells << FormatPressure(row.r, m_unit) << FormatPressure(row.runLoss, m_unit);
}

PipeChart PipePageModel::Chart() const
{
    PipeChart chart;
    chart.minFlow = kChartMinFlow;
    chart.maxFlow = kChartMaxFlow;
    const auto [first, last] = seriesRange();
    using F = PipeField;
    if (first > last || !holdsText(F::edttr) || !holdsText(F::edttv))
        return chart;
    const double tr = FieldFloat(Text(F::edttr));
    const double tv = FieldFloat(Text(F::edttv));
    const double density = FluidDensity(m_fluid, tr, tv);
    if (!(density > 0) || !(FluidViscosity(m_fluid, tr, tv) > 0))
        return chart;
    // R of one metre of pipe, in Pa/m.
    const auto rAt = [&](const PipeRecord& pipe, double flow) {
        return PressureLoss(flow, 1, pipe.innerDiameter / 1000, pipe.roughness / 1000, 0, density,
                            tv, tr, m_fluid, m_law)
                   .r *
               100;
    };
    const int steps =
        int(std::lround(std::log10(kChartMaxFlow / kChartMinFlow))) * kPointsPerDecade;
    for (int i = first; i <= last; ++i) {
        PipeChart::Curve curve{i, m_pipes[i].dn, {}};
        for (int step = 0; step <= steps; ++step) {
            const double flow = kChartMinFlow * std::pow(10.0, double(step) / kPointsPerDecade);
            curve.points.append({flow, rAt(m_pipes[i], flow)});
        }
        chart.pipes.append(curve);
    }
    for (const double velocity : ChartVelocities) {
        PipeChart::VelocityLine line{velocity, {}};
        for (int i = first; i <= last; ++i) {
            const double flow = flowAt(velocity, m_pipes[i].innerDiameter / 1000);
            line.points.append({flow, rAt(m_pipes[i], flow)});
        }
        chart.velocities.append(line);
    }
    const auto flow = currentFlow();
    if (flow && flow->volume > 0 && m_selected >= 0)
        chart.operating = ChartPoint{flow->volume, rAt(m_pipes[m_selected], flow->volume)};
    return chart;
}

QList<QStringList> PipePageModel::Report(const ControlTexts& texts, QChar separator) const
{
    const auto caption = [&](const char* component) {
        return texts.Text(QString::fromLatin1(component), TextProperty::Caption).simplified();
    };
    using F = PipeField;
    const QString unit = PressureUnitName(m_unit);
    QList<QStringList> rows{{caption("Label28")}};
    const auto add = [&](const QString& name, F field, const QString& fieldUnit) {
        rows.append({name, WithSeparator(Text(field), separator), fieldUnit});
    };
    add(caption("lbl_temperaturen"), F::edttv, caption("lbl_tv_einheit"));
    add(caption("lbl_tr"), F::edttr, caption("lbl_tr_einheit"));
    add(caption("lbl_leistung"), F::edtLeistung, caption("lbl_leistung_einheit"));
    add(caption("lbl_volumenstrom"), F::edtVP, caption("lbl_vp_einheit"));
    add(caption("lbl_volumenstrom"), F::edtVP1, caption("lbl_vp1_einheit"));
    rows.append({texts.Text(u"cbxMedium", TextProperty::Hint),
                 m_fluidNames.value(m_fluid, FluidNames()[m_fluid].toString())});
    if (m_law == FrictionLaw::Colebrook)
        rows.append({caption("chk_colebrook")});
    if (m_selected >= 0)
        rows.append({caption("lbl_rohrbezeichnung"), m_pipes[m_selected].name});
    add(caption("lbl_dn"), F::edtDN, QString());
    add(caption("lbl_laenge"), F::edtLang, caption("lbl_laenge_einheit"));
    add(caption("lbl_zetawert"), F::edtZetawert, QString());
    add(caption("lbl_maxvp"), F::edtMaxvp, caption("lbl_maxvp_einheit"));
    add(caption("lbl_durchfl"), F::edtDurchfl, caption("lbl_durchfl_einheit"));
    add(caption("lbl_volumen"), F::edt_rohrvolumen, caption("lbl_volumen_einheit"));
    add(caption("lbl_rohr") + u' ' + caption("lbl_rohr_dp"), F::edtRohrDP, m_runUnit);
    add(caption("lbl_zeta") + u' ' + caption("lbl_zeta_dp"), F::edtZetaDP, m_runUnit);
    add(caption("lbl_rwert"), F::edtrwert, m_rUnit);
    add(caption("lbl_diffdruck"), F::edtDP, m_totalUnit);
    add(caption("lbl_kv").remove(u'='), F::edtkv, caption("lbl_kv_einheit"));

    rows.append(QStringList());
    rows.append({caption("Tfrm_rohrdimensionen")});
    rows.append({caption("hdr_dn"), caption("hdr_di"), caption("hdr_v"),
                 caption("hdr_r") + u' ' + unit + QStringLiteral("/m"),
                 caption("hdr_dp") + u' ' + unit});
    // Within the maximum velocity "+", the pipe the search takes "*".
    for (const DimensionRow& row : DimensionRows()) {
        QStringList cells;
        for (const QString& cell : DimensionCells(row))
            cells.append(WithSeparator(cell, separator));
        rows.append(cells << (row.best          ? QStringLiteral("*")
                              : row.withinLimit ? QStringLiteral("+")
                                                : QString()));
    }
    return rows;
}

QString PipePageModel::CsvText(const ControlTexts& texts, QChar separator) const
{
    QString csv;
    for (const QStringList& row : Report(texts, separator)) {
        QStringList cells;
        for (const QString& cell : row)
            cells.append(CsvCell(cell));
        csv += cells.join(u';') + QStringLiteral("\r\n");
    }
    return csv;
}

// The fields as "caption: value unit" (the printed font is proportional, so tabs would not
// line them up); the table after the empty row with tabs between its short cells.
QString PipePageModel::PrintText(const ControlTexts& texts, QChar separator) const
{
    QStringList lines;
    bool table = false;
    for (const QStringList& row : Report(texts, separator)) {
        table = table || row.isEmpty();
        if (table || row.size() < 2) {
            lines.append(row.join(u'\t'));
            continue;
        }
        QString line =
            row[0] + (row[0].endsWith(u':') ? QStringLiteral(" ") : QStringLiteral(": "));
        line += QStringList(row.mid(1)).join(u' ').trimmed();
        lines.append(line);
    }
    return lines.join(u'\n');
}
