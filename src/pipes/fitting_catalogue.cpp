#include "fitting_catalogue.h"

#include "calculator/number_text.h"
#include "pipes/fittings_data.h"

#include <algorithm>

FittingCatalogue ParseFittingCatalogue(QStringView text)
{
    FittingCatalogue catalogue;
    for (const QStringView line : text.split(u'\n')) {
        const QList<QStringView> cells = line.trimmed().split(u'\t');
        if (cells.size() != 3)
            continue;
        const auto number = ParseNumber(cells[2].trimmed().toString(), u'.');
        if (!number)
            continue;
        if (cells[0] == u"fitting")
            catalogue.fittings.append({cells[1].trimmed().toString(), *number, 0});
        else if (cells[0] == u"zeta")
            catalogue.fittings.append({cells[1].trimmed().toString(), 0, *number});
        else if (cells[0] == u"fT")
            catalogue.frictionByDn.append({cells[1].trimmed().toInt(), *number});
    }
    std::sort(catalogue.frictionByDn.begin(), catalogue.frictionByDn.end());
    return catalogue;
}

const FittingCatalogue& Fittings()
{
    static const FittingCatalogue catalogue =
        ParseFittingCatalogue(QString::fromUtf8(kFittingsTsv));
    return catalogue;
}

double FullyRoughFriction(const FittingCatalogue& catalogue, int dn)
{
    for (const auto& [largestDn, friction] : catalogue.frictionByDn)
        if (dn <= largestDn)
            return friction;
    return catalogue.frictionByDn.isEmpty() ? 0 : catalogue.frictionByDn.last().second;
}

double FittingZeta(const Fitting& fitting, double friction)
{
    return fitting.lengthRatio * friction + fitting.zeta;
}

double ZetaSum(const FittingCatalogue& catalogue, const QList<int>& counts, int dn)
{
    const double friction = FullyRoughFriction(catalogue, dn);
    double sum = 0;
    for (qsizetype i = 0; i < std::min(counts.size(), catalogue.fittings.size()); ++i)
        sum += counts[i] * FittingZeta(catalogue.fittings[i], friction);
    return sum;
}
