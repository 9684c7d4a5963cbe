// The fittings of the ζ picker: each with its resistance as an equivalent length in pipe
// diameters, so that its ζ follows the pipe's nominal size (ζ = L/D · fT), or, for the parts
// of the heating circuit, with a ζ of its own: the same for every size (radiator, boiler) or
// one by nominal size (radiator valves). The
// catalogue is the delivered table data/pipes/fittings.tsv, built into the program.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// ζ by nominal size: the largest DN a value holds for, the value; ascending by DN.
using ZetaByDn = QList<std::pair<int, double>>;

struct Fitting {
    QString name;           // German
    double lengthRatio = 0; // L/D
    double zeta = 0;        // ζ of its own, added to L/D · fT
    ZetaByDn zetaByDn;      // or ζ by nominal size, added as well
};

struct FittingCatalogue {
    QList<Fitting> fittings;
    ZetaByDn frictionByDn; // largest DN of a nominal size, fT; ascending
};

// Lines "fitting<TAB>name<TAB>L/D", "zeta<TAB>name<TAB>ζ", "zetaDN<TAB>name<TAB>DN:ζ DN:ζ …"
// and "fT<TAB>DN<TAB>fT"; "#" lines and others are skipped, as is a zetaDN line with a pair
// that is no DN:ζ.
FittingCatalogue ParseFittingCatalogue(QStringView text);
// The catalogue built into the program.
const FittingCatalogue& Fittings();

// fT for a DN: the nominal size that holds it; below the smallest the smallest's, above the
// largest the largest's. 0 for an empty catalogue.
double FullyRoughFriction(const FittingCatalogue& catalogue, int dn);
// The value for a DN from a list by nominal size: the nominal size that holds it; below the
// smallest the smallest's, above the largest the largest's; 0 for an empty list.
double ValueForDn(const ZetaByDn& values, int dn);
// ζ of one fitting in a pipe of nominal size `dn` whose fT is `friction`.
double FittingZeta(const Fitting& fitting, double friction, int dn);
// Σ count · ζ over the fittings (counts by fitting, missing counts are 0).
double ZetaSum(const FittingCatalogue& catalogue, const QList<int>& counts, int dn);
