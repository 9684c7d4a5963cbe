#include "pipes/engine/fitting_catalogue.h"

#include "common/number_text.h"
#include "pipes/fittings_data.h"

#include <algorithm>
#include <optional>

namespace {

// "15:7 20:4 …" ascending by DN; nothing when a pair is no DN:ζ or there is none.
std::optional<ZetaByDn> parseZetaByDn(QStringView text)
{
    ZetaByDn values;
    for (const QStringView pair : text.split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype colon = pair.indexOf(u':');
        bool dnRead = false;
        const int dn = pair.left(std::max<qsizetype>(colon, 0)).toInt(&dnRead);
        const auto zeta = ParseNumber(pair.mid(colon + 1).toString(), u'.');
        if (colon <= 0 || !dnRead || dn <= 0 || !zeta)
            return std::nullopt;
        values.append({dn, *zeta});
    }
    if (values.isEmpty())
        return std::nullopt;
    std::sort(values.begin(), values.end());
    return values;
}

} // namespace

FittingCatalogue ParseFittingCatalogue(QStringView text)
{
    FittingCatalogue catalogue;
    for (const QStringView line : text.split(u'\n')) {
        const QList<QStringView> cells = line.trimmed().split(u'\t');
        if (cells.size() != 3)
            continue;
        if (cells[0] == u"zetaDN") {
            if (auto byDn = parseZetaByDn(cells[2]))
                catalogue.fittings.append({cells[1].trimmed().toString(), 0, 0, *byDn});
            continue;
        }
        const auto number = ParseNumber(cells[2].trimmed().toString(), u'.');
        if (!number)
            continue;
        if (cells[0] == u"fitting")
            catalogue.fittings.append({cells[1].trimmed().toString(), *number, 0, {}});
        else if (cells[0] == u"zeta")
            catalogue.fittings.append({cells[1].trimmed().toString(), 0, *number, {}});
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

double ValueForDn(const ZetaByDn& values, int dn)
{
    for (const auto& [largestDn, value] : values)
        if (dn <= largestDn)
            return value;
    return values.isEmpty() ? 0 : values.last().second;
}

double FullyRoughFriction(const FittingCatalogue& catalogue, int dn)
{
    return ValueForDn(catalogue.frictionByDn, dn);
}

double FittingZeta(const Fitting& fitting, double friction, int dn)
{
    return fitting.lengthRatio * friction + fitting.zeta + ValueForDn(fitting.zetaByDn, dn);
}

double ZetaSum(const FittingCatalogue& catalogue, const QList<int>& counts, int dn)
{
    const double friction = FullyRoughFriction(catalogue, dn);
    double sum = 0;
    for (qsizetype i = 0; i < std::min(counts.size(), catalogue.fittings.size()); ++i)
        sum += counts[i] * FittingZeta(catalogue.fittings[i], friction, dn);
    return sum;
}
