#include "pipe_page_model.h"

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

// What the fields can show: a larger load, length or velocity limit would write results
// wider than their fields (a flow of 1e6 m³/h carries about 1e9 W at a spread of 1 K).
constexpr struct {
    PipeField field;
    double limit;
} kInputLimits[] = {
    {PipeField::edtLeistung, 1e9}, // W
    {PipeField::edtVP, 1e6},       // m³/h
    {PipeField::edtLang, 1e5},     // m
    {PipeField::edtZetawert, 1e4}, // the sum of the ζ values
    {PipeField::edtMaxvp, 10},     // m/s
};

// The fields the pipe's calculation writes; edtDN and the water content follow the pipe alone.
constexpr PipeField kResultFields[] = {PipeField::edtDurchfl, PipeField::edtRohrDP,
                                       PipeField::edtZetaDP,  PipeField::edtrwert,
                                       PipeField::edtDP,      PipeField::edtkv};

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

std::optional<double> InputLimit(PipeField field)
{
    for (const auto& entry : kInputLimits)
        if (entry.field == field)
            return entry.limit;
    return std::nullopt;
}

bool WithinInputLimit(PipeField field, const QString& text)
{
    const auto limit = InputLimit(field);
    return !limit || std::fabs(FieldFloat(text)) <= *limit;
}

QChar ReportSeparator(int languageCode)
{
    constexpr int english = 2;
    return languageCode == english ? u'.' : u',';
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
        // The notice line's texts (lbl_rohrhinweis), by PipeNotice.
        caption("msg_keine_spreizung",
                "Die Vorlauftemperatur muss über der Rücklauftemperatur liegen"),
        caption("msg_keine_stoffwerte", "Stoffwerte für diese Temperaturen nicht verfügbar"),
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
        {QStringLiteral("img_rohrdimensionen_schliessen"), T::Hint, QStringLiteral("Schliessen")},
        {QStringLiteral("img_rohrdiagramm_schliessen"), T::Hint, QStringLiteral("Schliessen")},
        {QStringLiteral("img_zetawerte_schliessen"), T::Hint, QStringLiteral("Schliessen")},
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
        // The heating circuit: its button on the page and its window.
        caption("spb_teilstrecke", "Teilstrecke übernehmen"),
        {QStringLiteral("spb_teilstrecke"), T::Hint,
         QStringLiteral("Die Rohrstrecke als Teilstrecke in den Heizkreis übernehmen")},
        caption("Tfrm_heizkreis", "Heizkreis"),
        {QStringLiteral("img_heizkreis_schliessen"), T::Hint, QStringLiteral("Schliessen")},
        caption("hdr_kreis_name", "Teilstrecke"),
        caption("hdr_kreis_q", "Q W"),
        caption("hdr_kreis_vp", "V m³/h"),
        caption("hdr_kreis_rohr", "Rohr"),
        caption("hdr_kreis_l", "L m"),
        caption("hdr_kreis_zeta", "Zeta"),
        caption("hdr_kreis_dpzeta", "dp Zeta"),
        caption("hdr_kreis_dp", "dp"),
        caption("lbl_kreis_summe", "Summe"),
        {QStringLiteral("img_heizkreis"), T::Hint, QStringLiteral("Heizkreis")},
        caption("lbl_kreis_laenge", "Gesamtlänge"),
        caption("lbl_kreis_dp", "Druckverlust gesamt"),
        caption("lbl_kreis_vmax", "größte Geschwindigkeit"),
        caption("lbl_kreis_pumpe", "Förderstrom der Pumpe"),
        caption("lbl_kreis_foerderhoehe", "Förderhöhe"),
        {QStringLiteral("spb_kreis_hoch"), T::Hint, QStringLiteral("Nach oben")},
        {QStringLiteral("spb_kreis_runter"), T::Hint, QStringLiteral("Nach unten")},
        {QStringLiteral("spb_kreis_entfernen"), T::Hint, QStringLiteral("Teilstrecke entfernen")},
        {QStringLiteral("spb_kreis_bearbeiten"), T::Hint,
         QStringLiteral("Teilstrecke auf der Seite bearbeiten")},
        {QStringLiteral("spb_kreis_oeffnen"), T::Hint, QStringLiteral("Heizkreis öffnen")},
        {QStringLiteral("spb_kreis_speichern"), T::Hint, QStringLiteral("Heizkreis speichern")},
        {QStringLiteral("spb_kreis_drucken"), T::Hint, QStringLiteral("Heizkreis drucken")},
        {QStringLiteral("spb_kreis_csv"), T::Hint,
         QStringLiteral("Heizkreis als CSV-Datei speichern")},
        caption("spb_kreis_hoch", "▲"),
        caption("spb_kreis_runter", "▼"),
        caption("spb_kreis_entfernen", "Entfernen"),
        caption("spb_kreis_bearbeiten", "Bearbeiten"),
        caption("spb_kreis_oeffnen", "Öffnen"),
        caption("spb_kreis_speichern", "Speichern"),
        caption("spb_kreis_drucken", "Drucken"),
        caption("spb_kreis_csv", "CSV"),
        caption("msg_kreis_leer", "Die Heizkreisdatei ist leer."),
        caption("msg_kreis_fremd", "Die Datei ist keine Heizkreisdatei."),
        caption("msg_kreis_version", "Die Heizkreisdatei hat eine unbekannte Version."),
        caption("msg_kreis_zuviele", "Die Heizkreisdatei hat mehr als 999 Teilstrecken."),
        caption("msg_kreis_unvollstaendig", "Die Heizkreisdatei ist unvollständig."),
        caption("msg_kreis_wert", "Die Heizkreisdatei hat einen ungültigen Wert in Zeile"),
        caption("msg_kreis_lesen", "Die Heizkreisdatei kann nicht gelesen werden."),
        caption("msg_kreis_schreiben", "Die Heizkreisdatei kann nicht geschrieben werden."),
    };
    const QList<Fitting>& fittings = Fittings().fittings;
    for (qsizetype i = 0; i < fittings.size(); ++i)
        entries.append({QStringLiteral("lbl_formstueck%1").arg(i), T::Caption, fittings[i].name});
    return ControlTexts(std::move(entries));
}

PipePageModel::PipePageModel() : m_unit(Millibar)
{
    for (int i = 0; i < PipeFieldCount; ++i)
        m_texts[size_t(i)] = QString::fromLatin1(kFields[i].initial);
    m_rUnit = PressureUnitName(m_unit) + QStringLiteral("/m");
    m_runUnit = m_totalUnit = PressureUnitName(m_unit);
}

bool PipePageModel::LoadPipeFile(const QString& folder, int languageCode)
{
    PipeFileContents contents = ::LoadPipeFile(QDir(folder).filePath(PipeFileName(languageCode)));
    m_headerByte = contents.headerByte;
    SetPipes(std::move(contents.records));
    return !m_pipes.isEmpty();
}

void PipePageModel::SetPipes(QList<PipeRecord> pipes)
{
    m_pipes = std::move(pipes);
    if (m_pipes.isEmpty())
        m_selected = -1;
    else if (m_selected < 0 || m_selected >= m_pipes.size())
        m_selected = 0;
}

QStringList PipePageModel::PipeNames() const
{
    QStringList names;
    for (const PipeRecord& pipe : m_pipes)
        names.append(pipe.name);
    return names;
}

void PipePageModel::SetText(PipeField field, const QString& value)
{
    text(field) = value;
}

// The entry field's float accessor: an empty field that does not stand for 0 becomes "0".
double PipePageModel::getFloat(PipeField field)
{
    if (!holdsText(field) && !InfoOf(field).emptyIfZero)
        text(field) = QStringLiteral("0");
    return FieldFloat(Text(field));
}

void PipePageModel::setFloat(PipeField field, double value)
{
    const PipeFieldInfo& info = InfoOf(field);
    text(field) = info.emptyIfZero && value == 0 ? QString() : FixedText(value, info.decimals);
}

std::optional<PipePageModel::Flow> PipePageModel::flowFromLoad()
{
    const double tr = getFloat(PipeField::edttr);
    const double tv = getFloat(PipeField::edttv);
    const double load = getFloat(PipeField::edtLeistung);
    return computeFlow(tr, tv, load);
}

std::optional<PipePageModel::Flow> PipePageModel::computeFlow(double tr, double tv,
                                                              double load) const
{
    // A spread of 0 or below, a property without a value or no load give no flow, not an
    // endless or negative one.
    Flow flow{};
    flow.density = FluidDensity(m_fluid, tr, tv);
    const double c = FluidHeatCapacity(m_fluid, tr, tv);
    if (!(tv - tr > 0) || !(flow.density > 0) || !(c > 0) || !(load > 0))
        return std::nullopt;
    if (faulted(RunGuarded([&]() -> long double { return load / (c * (tv - tr) * flow.density); },
                           flow.volume)))
        return std::nullopt;
    return flow;
}

PipeNotice PipePageModel::Notice() const
{
    using F = PipeField;
    if (!holdsText(F::edttr) || !holdsText(F::edttv))
        return PipeNotice::None;
    const double tr = FieldFloat(Text(F::edttr));
    const double tv = FieldFloat(Text(F::edttv));
    if (!(tv - tr > 0))
        return PipeNotice::NoTemperatureDifference;
    if (!(FluidDensity(m_fluid, tr, tv) > 0) || !(FluidHeatCapacity(m_fluid, tr, tv) > 0) ||
        !(FluidViscosity(m_fluid, tv, tr) > 0))
        return PipeNotice::NoFluidProperties;
    return PipeNotice::None;
}

bool PipePageModel::VelocityOverLimit() const
{
    const double vMax = FieldFloat(Text(PipeField::edtMaxvp));
    return m_velocity && vMax > 0 && !(vMax > *m_velocity);
}

std::optional<PipePageModel::Flow> PipePageModel::currentFlow() const
{
    using F = PipeField;
    for (const F f : {F::edttr, F::edttv, F::edtVP, F::edtLeistung, F::edtLang})
        if (!holdsText(f))
            return std::nullopt;
    return computeFlow(FieldFloat(Text(F::edttr)), FieldFloat(Text(F::edttv)),
                       FieldFloat(Text(F::edtLeistung)));
}

void PipePageModel::TemperatureOrLoadEntered(char16_t key, PipeField field)
{
    if (isTabOrEnter(key))
        return;
    if (field == PipeField::edtLeistung)
        VolumeFlowFromLoad();
    else
        followTemperatures();
    UpdatePipe();
}

// A flow typed while the temperatures gave no load is the user's value: it gives the load
// once they do, instead of being emptied for the missing load.
void PipePageModel::followTemperatures()
{
    if (!holdsText(PipeField::edtLeistung) && holdsText(PipeField::edtVP))
        LoadFromVolumeFlow();
    else
        VolumeFlowFromLoad();
}

void PipePageModel::VolumeFlowEntered(char16_t key)
{
    if (isTabOrEnter(key))
        return;
    LoadFromVolumeFlow();
    UpdatePipe();
}

void PipePageModel::RunLengthChanged()
{
    UpdatePipe();
}

void PipePageModel::PipeChosen(int index)
{
    if (index >= 0 && index < m_pipes.size())
        select(index);
    UpdatePipe();
}

void PipePageModel::StepPipe(UpDownButton button)
{
    if (m_selected >= 0) {
        if (button == UpDownButton::Up && m_selected + 1 < m_pipes.size())
            select(m_selected + 1);
        else if (button == UpDownButton::Down && m_selected >= 1)
            select(m_selected - 1);
    }
    UpdatePipe();
}

void PipePageModel::PressureUnitChosen(int index)
{
    if (index >= 0 && index + 1 < PressureUnitCount)
        m_unit = index + 1;
    UpdatePipe();
}

void PipePageModel::FluidChosen(int fluid)
{
    if (AvailableFluids().contains(fluid))
        m_fluid = fluid;
    followTemperatures();
    UpdatePipe();
}

void PipePageModel::FrictionLawChosen(bool exact)
{
    m_law = exact ? FrictionLaw::Colebrook : FrictionLaw::PageChain;
    UpdatePipe();
}

void PipePageModel::SetZetaSum(double zeta)
{
    setFloat(PipeField::edtZetawert, zeta);
    UpdatePipe();
}

// The series of a pipe are its two sort keys; with one series in the file that is the whole
// table.
std::pair<int, int> PipePageModel::seriesRange() const
{
    if (m_selected < 0)
        return {0, -1};
    const PipeRecord& current = m_pipes[m_selected];
    const auto sameSeries = [&](const PipeRecord& p) {
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

void PipePageModel::select(int index)
{
    m_selected = index;
}

// Without a flow the flow fields are emptied: an old flow beside new inputs would be sized.
void PipePageModel::VolumeFlowFromLoad()
{
    const auto flow = flowFromLoad();
    if (!flow) {
        text(PipeField::edtVP).clear();
        text(PipeField::edtVP1).clear();
        return;
    }
    setFloat(PipeField::edtVP, flow->volume);
    setFloat(PipeField::edtVP1, flow->volume * 1000 / 3600);
}

void PipePageModel::LoadFromVolumeFlow()
{
    const double tr = getFloat(PipeField::edttr);
    const double tv = getFloat(PipeField::edttv);
    const double volume = getFloat(PipeField::edtVP);
    const double density = FluidDensity(m_fluid, tr, tv);
    const double c = FluidHeatCapacity(m_fluid, tr, tv);
    double load = 0;
    if (!(volume > 0) || !(tv - tr > 0) || !(density > 0) || !(c > 0) ||
        faulted(
            RunGuarded([&]() -> long double { return (tv - tr) * volume * density * c; }, load))) {
        text(PipeField::edtLeistung).clear();
        if (volume > 0)
            setFloat(PipeField::edtVP1, volume * 1000 / 3600);
        else
            text(PipeField::edtVP1).clear();
        return;
    }
    setFloat(PipeField::edtLeistung, load);
    setFloat(PipeField::edtVP1, volume * 1000 / 3600);
}

void PipePageModel::UpdatePipe()
{
    m_runUnit = m_totalUnit = PressureUnitName(m_unit);
    m_rUnit = m_runUnit + QStringLiteral("/m");
    // Without a pipe there is nothing to show and nothing to compute with.
    if (m_selected < 0) {
        clearResults();
        text(PipeField::edtDN).clear();
        text(PipeField::edt_rohrvolumen).clear();
        return;
    }
    text(PipeField::edtDN) = QString::number(m_pipes[m_selected].dn);
    using F = PipeField;
    if (holdsText(F::edttr) && holdsText(F::edttv) && holdsText(F::edtVP) &&
        holdsText(F::edtLeistung) && holdsText(F::edtLang))
        CalculatePipe();
    else
        clearResults();
    showWaterContent();
}

void PipePageModel::clearResults()
{
    m_velocity.reset();
    for (const PipeField field : kResultFields)
        text(field).clear();
}

void PipePageModel::showWaterContent()
{
    if (m_selected < 0)
        return;
    if (!holdsText(PipeField::edtLang)) {
        text(PipeField::edt_rohrvolumen).clear();
        return;
    }
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

// Every result is written from this calculation or emptied: none is left from an earlier one.
void PipePageModel::CalculatePipe()
{
    clearResults();
    if (m_selected < 0)
        return;
    const double tr = getFloat(PipeField::edttr);
    const double tv = getFloat(PipeField::edttv);
    const double zeta = getFloat(PipeField::edtZetawert);
    const double length = getFloat(PipeField::edtLang);
    const double load = getFloat(PipeField::edtLeistung);
    const auto result = compute(tr, tv, zeta, length, load);
    if (!result)
        return;
    m_velocity = result->velocity;
    setFloat(PipeField::edtDurchfl, result->velocity);
    if (!result->lossComputed)
        return;
    // No length and no ζ: every loss is 0, an empty field.
    text(PipeField::edtrwert) = FormatPressure(result->r, m_unit);
    text(PipeField::edtDP) = FormatPressure(result->total, m_unit);
    setFloat(PipeField::edtkv, result->kv);
    text(PipeField::edtZetaDP) = FormatPressure(result->zetaLoss, m_unit);
    text(PipeField::edtRohrDP) = FormatPressure(result->runLoss, m_unit);
}

std::optional<PipeResult> PipePageModel::Result() const
{
    using F = PipeField;
    if (m_selected < 0)
        return std::nullopt;
    for (const F f : {F::edttr, F::edttv, F::edtVP, F::edtLeistung, F::edtLang})
        if (!holdsText(f))
            return std::nullopt;
    return compute(FieldFloat(Text(F::edttr)), FieldFloat(Text(F::edttv)),
                   FieldFloat(Text(F::edtZetawert)), FieldFloat(Text(F::edtLang)),
                   FieldFloat(Text(F::edtLeistung)));
}

std::optional<PipeResult> PipePageModel::compute(double tr, double tv, double zeta, double length,
                                                 double load) const
{
    if (m_selected < 0)
        return std::nullopt;
    const auto flow = computeFlow(tr, tv, load);
    if (!flow)
        return std::nullopt;
    const PipeRecord& pipe = m_pipes[m_selected];
    const double d = pipe.innerDiameter / 1000;
    const double k = pipe.roughness / 1000;
    const double volume = flow->volume;
    const double rho = flow->density;

    PipeResult result;
    result.flow = volume;
    result.density = rho;
    double v = 0;
    if (faulted(RunGuarded([&]() -> long double { return PipeVelocity(d, volume); }, v)))
        return std::nullopt;
    result.velocity = v;

    // The losses need the viscosity, whose nodes reach further than the density's.
    if (!(FluidViscosity(m_fluid, tv, tr) > 0))
        return result;
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
        return result;
    result.lossComputed = true;
    result.r = loss.r;
    result.total = loss.total;
    result.zetaLoss = z;
    result.kv = kv;
    result.runLoss = std::max(loss.total - z, 0.0);
    return result;
}

void PipePageModel::FindBestPipe()
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
    text(PipeField::edtDN) = QString::number(m_pipes[m_selected].dn);
    UpdatePipe();
}
