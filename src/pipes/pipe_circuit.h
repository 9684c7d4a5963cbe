// A heating circuit: the path from the boiler to the farthest radiator and back as a list of
// sections, each a pipe run sized on the pipe page, and the sum of their losses for the
// pump. A section keeps only what the user entered for it (heat load, pipe, length, ζ sum);
// every number shown for it is computed anew by the pipe page's engine at the page's
// temperatures, fluid and friction law, so that a change of those changes every section.
//
// The circuit file (*.qvc) is UTF-8 text, one record a line, cells separated by a tab,
// numbers with a decimal point:
//
//   Quorvanta-Heizkreis
//   version<TAB>1
//   fluid<TAB>1                  the fluid's number (1 water, further the glycol mixtures)
//   tv<TAB>70                    supply temperature, °C
//   tr<TAB>50                    return temperature, °C
//   colebrook<TAB>0              1: the exact Colebrook-White friction factor
//   sections<TAB>3               the number of section lines that follow, at most MaxSections
//   TS 1<TAB>10000<TAB>4<TAB>12.5<TAB>3.5
//                                name, heat load W, pipe (its place in the pipe table),
//                                length m, ζ sum; one line per section, in the circuit's order
//
// A file that breaks any of this is refused whole: nothing of it is taken.
#pragma once

#include "pipes/pipe_page_model.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

struct CircuitSection {
    QString name;      // "TS 1", …; no tab or line break
    double load = 0;   // W
    int pipe = 0;      // place in the pipe table
    double length = 0; // m
    double zeta = 0;   // sum of the ζ values
};

// A section at the page's temperatures, fluid and law; none when the page gives it no flow.
struct SectionResult {
    CircuitSection section;
    std::optional<PipeResult> result;
};

struct CircuitTotals {
    int sections = 0;
    bool complete = false;  // every section has its losses
    double length = 0;      // m
    double loss = 0;        // mbar
    double maxVelocity = 0; // m/s
    double pumpFlow = 0;    // m³/h, of the first section
    double headMetres = 0;  // the loss as a head of the fluid, m
    double headKilopascal = 0;
};

inline constexpr int MaxSections = 999;
inline constexpr int CircuitFileVersion = 1;
// g for the pump head, m/s² (standard gravity).
inline constexpr double StandardGravity = 9.80665;

// The page's current inputs as a section; none when the page shows no losses for them.
std::optional<CircuitSection> SectionFromPage(const PipePageModel& page, const QString& name);
// Puts a section's inputs into the page (load, flow, pipe, length, ζ) and recomputes it.
void ShowSection(PipePageModel& page, const CircuitSection& section);

// Every section computed by the page's engine at the page's temperatures, fluid and law.
QList<SectionResult> Evaluate(const PipePageModel& page, const QList<CircuitSection>& sections);
CircuitTotals Totals(const QList<SectionResult>& results);

// The name the next new section gets: "TS n", n one above the highest "TS" number in use.
QString NextSectionName(const QList<CircuitSection>& sections);
// A name as the circuit keeps it: tabs and line breaks become blanks, at most 100 characters.
QString CleanSectionName(const QString& name);

struct CircuitFile {
    int fluid = Water;
    double tv = 70;
    double tr = 50;
    FrictionLaw law = FrictionLaw::PageChain;
    QList<CircuitSection> sections;
};

enum class CircuitFileError {
    None,
    Empty,       // no bytes, or only blanks
    NotACircuit, // the first line is not the file's title
    Version,     // a version this program does not read
    TooMany,     // more sections than MaxSections
    Truncated,   // fewer section lines than announced, or a line cut short
    BadValue,    // a cell that is no number, or a number out of range
};

struct CircuitFileRead {
    std::optional<CircuitFile> file;
    CircuitFileError error = CircuitFileError::None;
    int line = 0; // of the error, from 1
};

QByteArray WriteCircuitFile(const CircuitFile& file);
// `pipeCount` is the size of the pipe table the sections' pipes point into.
CircuitFileRead ReadCircuitFile(const QByteArray& bytes, int pipeCount);

// The circuit as rows of cells: title row, the header, one row per section, the total rows;
// numbers with `separator` as decimal separator, pressures in mbar and in `unit` too.
QList<QStringList> CircuitReport(const QList<SectionResult>& results, const PipePageModel& page,
                                 const ControlTexts& texts, QChar separator);
QString CircuitCsv(const QList<QStringList>& report);
// The total row of the table: "Summe", the total length, the largest velocity, the total loss.
QStringList CircuitTotalRow(const QList<QStringList>& report, const ControlTexts& texts);
// The total rows of the report as lines "caption: value unit".
QStringList CircuitTotalLines(const QList<QStringList>& report);
// The report for the printer: the title with `date`, the table with tabs, the totals.
QString CircuitPrintText(const QList<QStringList>& report, const QString& date);
