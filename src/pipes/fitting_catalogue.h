// The fittings of the ζ picker: each with its resistance as an equivalent length in pipe
// diameters, so that its ζ follows the pipe's nominal size (ζ = L/D · fT), or, for the parts
// of the heating circuit (radiator, boiler), with a ζ of its own for every size. The
// catalogue is the delivered table data/pipes/fittings.tsv, built into the program.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

struct Fitting {
    QString name;           // German
    double lengthRatio = 0; // L/D
    double zeta = 0;        // ζ of its own, added to L/D · fT
};

struct FittingCatalogue {
    QList<Fitting> fittings;
    QList<std::pair<int, double>> frictionByDn; // largest DN of a nominal size, fT; ascending
};

// Lines "fitting<TAB>name<TAB>L/D", "zeta<TAB>name<TAB>ζ" and "fT<TAB>DN<TAB>fT"; "#" lines
// and others are skipped.
FittingCatalogue ParseFittingCatalogue(QStringView text);
// The catalogue built into the program.
const FittingCatalogue& Fittings();

// fT for a DN: the nominal size that holds it; below the smallest the smallest's, above the
// largest the largest's. 0 for an empty catalogue.
double FullyRoughFriction(const FittingCatalogue& catalogue, int dn);
// ζ of one fitting in a pipe whose fT is `friction`.
double FittingZeta(const Fitting& fitting, double friction);
// Σ count · ζ over the fittings (counts by fitting, missing counts are 0).
double ZetaSum(const FittingCatalogue& catalogue, const QList<int>& counts, int dn);
