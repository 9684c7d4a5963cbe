#include "pipe_sizing.h"

#include "calculator/float_guard.h"
#include "calculator/key_chars.h"
#include "calculator/key_filter.h"
#include "calculator/number_text.h"
#include "pipes/fitting_catalogue.h"
#include "pipes/fluid_tables.h"
#include "pipes/pipe_hydraulics.h"
#include "pipes/pressure_units.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// clang-format off
constexpr PipeFieldInfo kFields[PipeFieldCount] = {
    {"edttv",           1, false, false, "70,0"},
    {"edttr",           1, false, false, "50,0"},
    {"edtLeistung",     2, true,  false, ""},
    {"edtVP",           3, true,  false, ""},
    {"edtVP1",          2, false, true,  ""},
    {"edtLang",         2, false, false, "2,00"},
    {"edtZetawert",     2, true,  false, ""},
    {"edtMaxvp",        2, false, false, "0,50"},
    {"edtDN",           0, false, true,  ""},
    {"edt_rohrvolumen", 2, false, true,  ""},
    {"edtDurchfl",      2, false, true,  ""},
    {"edtRohrDP",       0, false, true,  ""},
    {"edtZetaDP",       0, false, true,  ""},
    {"edtrwert",        0, false, true,  ""},
    {"edtDP",           0, false, true,  ""},
    {"edtkv",           3, false, true,  ""},
};
// clang-format on

constexpr double kWaterDensityAt15 = 999.1; // kg/m³, the density a kv value refers to

bool isTabOrEnter(char16_t key)
{
    return key == KeyChar::Tab || key == KeyChar::Enter;
}

bool faulted(FloatFault fault)
{
    return fault != FloatFault::None;
}

} // namespace

const PipeFieldInfo& InfoOf(PipeField field)
{
    return kFields[size_t(field)];
}

ControlTexts PipeControlTexts()
{
    using T = TextProperty;
    const auto caption = [](const char* component, const char* text) {
        return ControlTexts::Entry{QString::fromLatin1(component), T::Caption,
                                   QString::fromUtf8(text)};
    };
    QList<ControlTexts::Entry> entries{
        caption("Label28", "Heizung"),
        caption("GroupBox2", "Volumenstrom"),
        caption("lbl_temperaturen", "Temperaturen:   tv"),
        caption("lbl_tv_einheit", "°C"),
        caption("lbl_tr", "tr"),
        caption("lbl_tr_einheit", "°C"),
        caption("lbl_leistung", "Leistung"),
        caption("lbl_leistung_einheit", "Watt"),
        caption("lbl_volumenstrom", "Volumenstrom"),
        caption("lbl_vp_einheit", "m3/h"),
        caption("lbl_vp1_einheit", "l/s"),
        caption("GroupBox1", "Rohr"),
        caption("lbl_laenge", "Länge"),
        caption("lbl_laenge_einheit", "m"),
        caption("lbl_zetawert", "Zetawert"),
        caption("lbl_maxvp", "max. Durchflussgeschwindigkeit"),
        caption("lbl_maxvp_einheit", "m/s"),
        {QStringLiteral("img_best_pipe"), T::Hint, QStringLiteral("Geeignetes Rohr suchen")},
        caption("lbl_rohrbezeichnung", "Rohrbezeichnung"),
        caption("lbl_dn", "DN"),
        caption("lbl_volumen", "Volumen"),
        caption("lbl_volumen_einheit", "l"),
        caption("lbl_durchfl", "Durchflussgeschwindigkeit"),
        caption("lbl_durchfl_einheit", "m/s"),
        caption("lbl_rohr", "Rohr:"),
        caption("lbl_rohr_dp", "dp"),
        caption("lbl_zeta", "Zeta:"),
        caption("lbl_zeta_dp", "dp"),
        caption("lbl_rwert", "R-Wert"),
        caption("lbl_diffdruck", "Differenzdruck"),
        caption("lbl_kv", "=kv"),
        caption("lbl_kv_einheit", "m³/h"),
        {QStringLiteral("edtkv"), T::Hint,
         QStringLiteral("der dem Zetawert entsprechende kv-Wert")},
        caption("Label27", "Achtung: Die Ergebnisse ersetzen keine detaillierte Rohrplanung"),
        {QStringLiteral("cbxMedium"), T::Hint, QStringLiteral("Medium")},
        caption("chk_colebrook", "Colebrook exakt"),
        {QStringLiteral("chk_colebrook"), T::Hint,
         QStringLiteral("Rohrreibungszahl nach Colebrook-White, exakt gelöst")},
        caption("chk_rohrdimensionen", "alle DN"),
        {QStringLiteral("chk_rohrdimensionen"), T::Hint,
         QStringLiteral("Alle Dimensionen der Rohrreihe in einer Tabelle")},
        {QStringLiteral("img_rohrdiagramm"), T::Hint, QStringLiteral("Rohrreibungsdiagramm")},
        {QStringLiteral("img_rohrauslegung_drucken"), T::Hint,
         QStringLiteral("Rohrauslegung drucken")},
        {QStringLiteral("img_rohrauslegung_csv"), T::Hint,
         QStringLiteral("Rohrauslegung als CSV-Datei speichern")},
        {QStringLiteral("spb_zetawerte"), T::Hint, QStringLiteral("Zetawerte der Formstücke")},
        caption("Tfrm_rohrdimensionen", "Rohrdimensionen"),
        caption("hdr_dn", "DN"),
        caption("hdr_di", "di mm"),
        caption("hdr_v", "v m/s"),
        caption("hdr_r", "R"),
        caption("hdr_dp", "dp Rohr"),
        caption("Tfrm_rohrdiagramm", "Rohrreibungsdiagramm"),
        caption("lbl_diagramm_r", "R"),
        caption("lbl_diagramm_vp", "Volumenstrom m³/h"),
        caption("spb_diagramm_png", "PNG speichern"),
        caption("Tfrm_zetawerte", "Zetawerte der Formstücke"),
        caption("lbl_zetasumme", "Summe Zeta"),
        caption("spb_zeta_uebernehmen", "Übernehmen"),
    };
    const QList<Fitting>& fittings = Fittings().fittings;
    for (qsizetype i = 0; i < fittings.size(); ++i)
        entries.append({QStringLiteral("lbl_formstueck%1").arg(i), T::Caption, fittings[i].name});
    return ControlTexts(std::move(entries));
}

PipeSizing::PipeSizing() : m_unit(Millibar)
{
    for (int i = 0; i < PipeFieldCount; ++i)
        m_texts[size_t(i)] = QString::fromLatin1(kFields[i].initial);
    m_rUnit = PressureUnitName(m_unit) + QStringLiteral("/m");
    m_runUnit = m_totalUnit = PressureUnitName(m_unit);
}

bool PipeSizing::LoadPipeFile(const QString& folder, int languageCode)
{
    PipeFileContents contents = ::LoadPipeFile(QDir(folder).filePath(PipeFileName(languageCode)));
    m_headerByte = contents.headerByte;
    SetPipes(std::move(contents.records));
    return !m_pipes.isEmpty();
}

void PipeSizing::SetPipes(QList<TPipeRecord> pipes)
{
    m_pipes = std::move(pipes);
    if (m_pipes.isEmpty())
        m_selected = -1;
    else if (m_selected < 0 || m_selected >= m_pipes.size())
        m_selected = 0;
    m_overLimit = false;
}

QStringList PipeSizing::PipeNames() const
{
    QStringList names;
    for (const TPipeRecord& pipe : m_pipes)
        names.append(pipe.name);
    return names;
}

void PipeSizing::SetText(PipeField field, const QString& value)
{
    if (field == PipeField::edtMaxvp && value != Text(field))
        m_overLimit = false;
    text(field) = value;
}

// The entry field's float accessor: an empty field that does not stand for 0 becomes "0".
double PipeSizing::getFloat(PipeField field)
{
    if (!holdsText(field) && !InfoOf(field).emptyIfZero)
        text(field) = QStringLiteral("0");
    return FieldFloat(Text(field));
}

void PipeSizing::setFloat(PipeField field, double value)
{
    const PipeFieldInfo& info = InfoOf(field);
    text(field) = info.emptyIfZero && value == 0 ? QString() : FixedText(value, info.decimals);
}

std::optional<PipeSizing::Flow> PipeSizing::flowFromLoad()
{
    const double tr = getFloat(PipeField::edttr);
    const double tv = getFloat(PipeField::edttv);
    const double load = getFloat(PipeField::edtLeistung);
    return computeFlow(tr, tv, load);
}

std::optional<PipeSizing::Flow> PipeSizing::computeFlow(double tr, double tv, double load) const
{
    Flow flow{};
    if (faulted(RunGuarded(
            [&]() -> long double {
                flow.density = FluidDensity(m_fluid, tr, tv);
                const double c = FluidHeatCapacity(m_fluid, tr, tv);
                return load / (c * (tv - tr) * flow.density);
            },
            flow.volume)))
        return std::nullopt;
    return flow;
}

std::optional<PipeSizing::Flow> PipeSizing::currentFlow() const
{
    using F = PipeField;
    for (const F f : {F::edttr, F::edttv, F::edtVP, F::edtLeistung, F::edtLang})
        if (!holdsText(f))
            return std::nullopt;
    return computeFlow(FieldFloat(Text(F::edttr)), FieldFloat(Text(F::edttv)),
                       FieldFloat(Text(F::edtLeistung)));
}

void PipeSizing::edttvKeyUp(char16_t key)
{
    if (isTabOrEnter(key))
        return;
    VolumeFlowFromLoad();
    UpdatePipe();
}

void PipeSizing::edtVPKeyUp(char16_t key)
{
    if (isTabOrEnter(key))
        return;
    LoadFromVolumeFlow();
    UpdatePipe();
}

void PipeSizing::edtLangChange()
{
    UpdatePipe();
}

void PipeSizing::cbxRohreClick(int index)
{
    if (index >= 0 && index < m_pipes.size())
        select(index);
    UpdatePipe();
}

void PipeSizing::UpDown1Click(UpDownButton button)
{
    if (m_selected >= 0) {
        if (button == UpDownButton::Up && m_selected + 1 < m_pipes.size())
            select(m_selected + 1);
        else if (button == UpDownButton::Down && m_selected >= 1)
            select(m_selected - 1);
    }
    UpdatePipe();
}

void PipeSizing::cbxDruckangabeClick(int index)
{
    if (index >= 0 && index + 1 < PressureUnitCount)
        m_unit = index + 1;
    UpdatePipe();
}

void PipeSizing::cbxMediumClick(int fluid)
{
    if (AvailableFluids().contains(fluid))
        m_fluid = fluid;
    VolumeFlowFromLoad();
    UpdatePipe();
}

void PipeSizing::chk_colebrookClick(bool exact)
{
    m_law = exact ? FrictionLaw::Colebrook : FrictionLaw::PageChain;
    UpdatePipe();
}

void PipeSizing::SetZetaSum(double zeta)
{
    setFloat(PipeField::edtZetawert, zeta);
    UpdatePipe();
}

// The series of a pipe are its two sort keys; with one series in the file that is the whole
// table.
std::pair<int, int> PipeSizing::seriesRange() const
{
    if (m_selected < 0)
        return {0, -1};
    const TPipeRecord& current = m_pipes[m_selected];
    const auto sameSeries = [&](const TPipeRecord& p) {
        return p.group == current.group && p.series == current.series;
    };
    int first = m_selected;
    while (first > 0 && sameSeries(m_pipes[first - 1]))
        --first;
    int last = m_selected;
    while (last + 1 < m_pipes.size() && sameSeries(m_pipes[last + 1]))
        ++last;
    return {first, last};
}

void PipeSizing::select(int index)
{
    if (index != m_selected)
        m_overLimit = false;
    m_selected = index;
}

void PipeSizing::VolumeFlowFromLoad()
{
    const auto flow = flowFromLoad();
    if (!flow)
        return;
    m_overLimit = false;
    setFloat(PipeField::edtVP, flow->volume);
    setFloat(PipeField::edtVP1, flow->volume * 1000 / 3600);
}

void PipeSizing::LoadFromVolumeFlow()
{
    const double tr = getFloat(PipeField::edttr);
    const double tv = getFloat(PipeField::edttv);
    const double volume = getFloat(PipeField::edtVP);
    double load = 0;
    if (faulted(RunGuarded(
            [&]() -> long double {
                return (tv - tr) * volume * FluidDensity(m_fluid, tr, tv) *
                       FluidHeatCapacity(m_fluid, tr, tv);
            },
            load)))
        return;
    m_overLimit = false;
    setFloat(PipeField::edtLeistung, load);
    setFloat(PipeField::edtVP1, volume * 1000 / 3600);
}

void PipeSizing::UpdatePipe()
{
    // Without a pipe there is nothing to show and nothing to compute with.
    if (m_selected < 0)
        return;
    text(PipeField::edtDN) = QString::number(m_pipes[m_selected].dn);
    using F = PipeField;
    if (holdsText(F::edttr) && holdsText(F::edttv) && holdsText(F::edtVP) &&
        holdsText(F::edtLeistung) && holdsText(F::edtLang))
        CalculatePipe();
    showWaterContent();
}

void PipeSizing::showWaterContent()
{
    if (!holdsText(PipeField::edtLang) || m_selected < 0)
        return;
    const double length = getFloat(PipeField::edtLang);
    const double dmm = m_pipes[m_selected].innerDiameter;
    double litres = 0;
    if (faulted(RunGuarded(
            [&]() -> long double {
                return length * 10 * std::numbers::pi * (dmm / 100) * (dmm / 100) / 4;
            },
            litres)))
        return;
    setFloat(PipeField::edt_rohrvolumen, litres);
}

void PipeSizing::CalculatePipe()
{
    if (m_selected < 0)
        return;
    const double tr = getFloat(PipeField::edttr);
    const double tv = getFloat(PipeField::edttv);
    const double zeta = getFloat(PipeField::edtZetawert);
    const double length = getFloat(PipeField::edtLang);
    const auto flow = flowFromLoad();
    if (!flow)
        return;
    const TPipeRecord& pipe = m_pipes[m_selected];
    const double d = pipe.innerDiameter / 1000;
    const double k = pipe.roughness / 1000;
    const double volume = flow->volume;
    const double rho = flow->density;

    double v = 0;
    if (faulted(RunGuarded([&]() -> long double { return PipeVelocity(d, volume); }, v)))
        return;
    setFloat(PipeField::edtDurchfl, v);

    PressureLossResult loss;
    double z = 0;
    double kv = 0;
    double all = 0;
    if (faulted(RunGuarded(
            [&]() -> long double {
                loss = PressureLoss(volume, length, d, k, zeta, rho, tv, tr, m_fluid, m_law);
                z = v * v * rho / 200 * zeta;
                kv = z > 0 ? volume * std::sqrt(1000 * rho / (kWaterDensityAt15 * z)) : 0;
                return (long double)loss.total + loss.r + z + kv;
            },
            all)))
        return;
    // Nothing flows, or nothing resists: the results of the last calculation stay.
    if (loss.total == 0)
        return;
    const double run = std::max(loss.total - z, 0.0);
    text(PipeField::edtrwert) = FormatPressure(loss.r, m_unit);
    text(PipeField::edtDP) = FormatPressure(loss.total, m_unit);
    setFloat(PipeField::edtkv, kv);
    text(PipeField::edtZetaDP) = FormatPressure(z, m_unit);
    text(PipeField::edtRohrDP) = FormatPressure(run, m_unit);
    m_runUnit = m_totalUnit = PressureUnitName(m_unit);
    m_rUnit = m_runUnit + QStringLiteral("/m");
}

void PipeSizing::FindBestPipe()
{
    if (m_selected < 0)
        return;
    const auto flow = flowFromLoad();
    if (!flow)
        return;
    const double vMax = getFloat(PipeField::edtMaxvp);
    if (vMax == 0)
        return;
    // The walk stays in the selected pipe's series, from its smallest DN up.
    const auto [first, last] = seriesRange();
    int chosen = -1;
    for (int i = first; i <= last && chosen < 0; ++i)
        if (vMax > PipeVelocity(m_pipes[i].innerDiameter / 1000, flow->volume))
            chosen = i;
    select(chosen >= 0 ? chosen : last);
    m_overLimit = chosen < 0;
    text(PipeField::edtDN) = QString::number(m_pipes[m_selected].dn);
    UpdatePipe();
}
