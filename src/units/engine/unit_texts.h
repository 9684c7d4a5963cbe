// The unit page's words that the translation replaces at run time. German is the default;
// an empty or missing entry keeps the German word.
#pragma once

#include "common/control_texts.h"
#include "common/unit_tables.h"
#include "units/engine/wind_force.h"

#include <QStringList>

struct UnitTexts {
    // "t_volumenstromangabe": the volume-flow unit names, without the " *" mark.
    QStringList volumeFlowUnits = NamesOf(VolumeFlowUnits());
    // "t_zahlensysteme": Dezimal, Binär, Hexadezimal, Oktal.
    QStringList numberSystems = NamesOf(QuantityOfGrid(12)->units);
    // "t_windstaerke": the names of the six wind rows.
    QStringList windRows = NamesOf(QuantityOfGrid(14)->units);
    // "wind_bezeichnung": the descriptions of Beaufort 1 … 15.
    QStringList windDescriptions = WindDescriptionDefaults();
};

// Captions of the unit page's controls, German: the group box, the fourteen radio buttons,
// the panels' headings and the volume-flow grid's footnote.
ControlTexts UnitControlTexts();
