// The pipe-sizing page as data. From the supply and return temperatures and the heat load
// it finds the water volume flow (or the load from a flow); for the selected pipe of the
// pipe table it finds the velocity, the pressure loss of the run and of the single
// resistances, R, the kv value of the single resistances and the water content. A button
// picks the smallest pipe of the selected pipe's series below a maximum velocity.
//
// Every field is held here as the text the page shows; numbers are read and written with
// the rules of the numeric entry field (comma separator, fixed decimals per field). Each
// event of the page is one call; the page then copies the texts into its controls.
#pragma once

#include "calculator/control_texts.h"
#include "pipes/pipe_file.h"
#include "pipes/pipe_hydraulics.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

enum class PipeField {
    edttv,           // supply temperature, °C
    edttr,           // return temperature, °C
    edtLeistung,     // heat load, W
    edtVP,           // volume flow, m³/h
    edtVP1,          // volume flow, l/s
    edtLang,         // length of the run, m
    edtZetawert,     // sum of the ζ values
    edtMaxvp,        // maximum velocity of the pipe search, m/s
    edtDN,           // DN of the selected pipe
    edt_rohrvolumen, // water content, l
    edtDurchfl,      // velocity, m/s
    edtRohrDP,       // loss of the run
    edtZetaDP,       // loss of the single resistances
    edtrwert,        // R
    edtDP,           // total loss
    edtkv,           // kv of the single resistances, m³/h
};
inline constexpr int PipeFieldCount = int(PipeField::edtkv) + 1;

struct PipeFieldInfo {
    const char* name; // the control's objectName
    int decimals;     // of a number written into the field
    bool emptyIfZero; // an empty field stands for 0, and 0 is shown empty
    bool readOnly;
    const char* initial;
};
const PipeFieldInfo& InfoOf(PipeField field);

enum class UpDownButton { Up, Down };

// Why results stay empty although the fields they come from are filled in: the page says it
// once, in its notice line.
enum class PipeNotice {
    None,
    NoTemperatureDifference, // the supply is not warmer than the return
    NoFluidProperties,       // the fluid has no value at these temperatures
};

// The largest value (in amount) a field takes from the user; beyond it the results could not
// be shown. None for a field without a limit.
std::optional<double> InputLimit(PipeField field);
// The text of a field the user typed or pasted is within the field's limit.
bool WithinInputLimit(PipeField field, const QString& text);

// One pipe of the selected pipe's series at the page's flow, fluid and length.
struct DimensionRow {
    int index = 0; // in the pipe table
    int dn = 0;
    double innerDiameter = 0;  // mm
    bool computed = false;     // the flow could be computed: the velocity holds
    double velocity = 0;       // m/s
    bool lossComputed = false; // the fluid's viscosity is known too: R and the loss hold
    double r = 0;              // mbar/m
    double runLoss = 0;        // mbar over the length of the run
    bool withinLimit = false;  // velocity below the search's maximum
    bool best = false;         // the pipe the search would take
};

// The pipe friction chart of the selected pipe's series: R over the volume flow.
struct ChartPoint {
    double flow; // m³/h
    double r;    // Pa/m
};
struct PipeChart {
    struct Curve {
        int index; // in the pipe table
        int dn;
        QList<ChartPoint> points; // ascending flow
    };
    struct VelocityLine {
        double velocity;          // m/s
        QList<ChartPoint> points; // one per pipe, ascending flow
    };
    QList<Curve> pipes;
    QList<VelocityLine> velocities;
    std::optional<ChartPoint> operating; // the page's flow in the selected pipe
    double minFlow = 0, maxFlow = 0;     // the flow range of the curves, m³/h
};
inline constexpr double ChartVelocities[] = {0.3, 0.5, 0.7, 1.0, 1.5};

// The numbers behind the page's result fields, before they are rounded for showing.
struct PipeResult {
    double flow = 0;           // m³/h
    double density = 0;        // kg/m³
    double velocity = 0;       // m/s
    bool lossComputed = false; // the fluid's viscosity is known: the losses below hold
    double r = 0;              // mbar/m
    double runLoss = 0;        // mbar, the run
    double zetaLoss = 0;       // mbar, the single resistances
    double total = 0;          // mbar
    double kv = 0;             // m³/h
};

// A number of a report with `separator` as its decimal separator.
QString WithSeparator(QString number, QChar separator);
// A cell of a CSV line with ";" between cells, quoted when it must be.
QString CsvCell(const QString& cell);

// The decimal separator of the printed and saved report in a language: "." in English, ","
// in German and Polish (and the others).
QChar ReportSeparator(int languageCode);

// Captions and hints of the page's controls, German.
ControlTexts PipeControlTexts();

class PipePageModel {
public:
    PipePageModel();

    // The pipe table of the language's file in `folder`; the selected index stays where it
    // can. False when the table is empty afterwards (the file is missing or holds nothing).
    bool LoadPipeFile(const QString& folder, int languageCode);
    void SetPipes(QList<PipeRecord> pipes);
    const QList<PipeRecord>& Pipes() const { return m_pipes; }
    QStringList PipeNames() const;
    int SelectedPipe() const { return m_selected; } // -1 while the table is empty

    QString Text(PipeField field) const { return m_texts[size_t(field)]; }
    // A text typed by the user or formatted by the field on exit; nothing is computed.
    void SetText(PipeField field, const QString& text);
    int PressureUnit() const { return m_unit; }            // 1 ("mbar") … 13
    QString RUnitLabel() const { return m_rUnit; }         // lbl_rwert_einheit
    QString RunUnitLabel() const { return m_runUnit; }     // lbl_rohreinheit
    QString TotalUnitLabel() const { return m_totalUnit; } // lbl_diffdruckeinheit
    // The velocity shown is not below the maximum velocity of the search (a maximum of 0
    // marks nothing).
    bool VelocityOverLimit() const;
    PipeNotice Notice() const;

    // Events of the page. `key` is the released key as a KeyChar (Tab, Enter or another);
    // `field` the temperature or load field it was released in.
    void TemperatureOrLoadEntered(char16_t key, PipeField field = PipeField::edttv);
    void VolumeFlowEntered(char16_t key);
    void RunLengthChanged();
    void PipeChosen(int index);
    void StepPipe(UpDownButton button);
    void PressureUnitChosen(int index);
    // The fluid (a number of AvailableFluids()): the flow follows the load, then the pipe.
    void FluidChosen(int fluid);
    int Fluid() const { return m_fluid; }
    // The friction factor by the page's chain or by the exact Colebrook-White solution.
    void FrictionLawChosen(bool exact);
    FrictionLaw Law() const { return m_law; }
    // The sum of the ζ picker into edtZetawert, then the pipe.
    void SetZetaSum(double zeta);
    // The page became the active page: the water content follows the selected pipe.
    void PageEntered() { showWaterContent(); }

    void VolumeFlowFromLoad();
    void LoadFromVolumeFlow();
    void UpdatePipe();
    void CalculatePipe();
    void FindBestPipe();
    // The numbers behind the result fields as the inputs stand; none while the page shows no
    // velocity.
    std::optional<PipeResult> Result() const;

    // Every pipe of the selected pipe's series at the page's flow (empty without pipes).
    QList<DimensionRow> DimensionRows() const;
    // The cells of a row as the table shows them: DN, inner diameter, velocity, R, Δp.
    QStringList DimensionCells(const DimensionRow& row) const;
    PipeChart Chart() const;
    // The page's inputs and results, then the dimensions table: rows of cells with the
    // captions of `texts`, every number with `separator` as its decimal separator (the
    // language's: a spreadsheet reads one separator per file). CSV with ";" between cells;
    // print text with tabs.
    QList<QStringList> Report(const ControlTexts& texts, QChar separator = u',') const;
    QString CsvText(const ControlTexts& texts, QChar separator = u',') const;
    QString PrintText(const ControlTexts& texts, QChar separator = u',') const;
    // The fluids' names in the language shown, by fluid number, for the report; a fluid
    // without one is named in German.
    void SetFluidNames(const QStringList& byFluid) { m_fluidNames = byFluid; }

private:
    struct Flow {
        double volume;  // m³/h
        double density; // kg/m³
    };

    QString& text(PipeField field) { return m_texts[size_t(field)]; }
    bool holdsText(PipeField field) const { return !Text(field).isEmpty(); }
    double getFloat(PipeField field);
    void setFloat(PipeField field, double value);
    std::optional<Flow> flowFromLoad();
    // The flow of the fields as they stand, reading nothing into them; none while a field
    // the calculation needs is empty.
    std::optional<Flow> currentFlow() const;
    // None when the temperatures or the fluid give no flow, or the load is not positive.
    std::optional<Flow> computeFlow(double tr, double tv, double load) const;
    std::optional<PipeResult> compute(double tr, double tv, double zeta, double length,
                                      double load) const;
    // Empties the velocity, the losses and kv: they no longer belong to the inputs.
    void clearResults();
    // The flow from the load after a change of the temperatures or the fluid.
    void followTemperatures();
    // First and last index of the selected pipe's series.
    std::pair<int, int> seriesRange() const;
    void select(int index);
    void showWaterContent();

    QList<PipeRecord> m_pipes;
    int m_selected = -1;
    int m_headerByte = 1; // byte 4 of the file's header: kept, not used by the page
    std::array<QString, PipeFieldCount> m_texts;
    int m_unit;
    QString m_rUnit;
    QString m_runUnit;
    QString m_totalUnit;
    std::optional<double> m_velocity; // m/s, the value behind edtDurchfl
    int m_fluid = Water;
    QStringList m_fluidNames;
    FrictionLaw m_law = FrictionLaw::PageChain;
};
