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
        if (cells[0] == u"zetaDN") {
            Fitting fitting{cells[1].trimmed().toString(), 0, 0, {}};
            bool valid = true;
            for (const QStringView pair : cells[2].split(u' ', Qt::SkipEmptyParts)) {
                const qsizetype colon = pair.indexOf(u':');
                bool dnOk = false;
                const int dn = colon > 0 ? pair.left(colon).toInt(&dnOk) : 0;
                const auto zeta =
                    colon > 0 ? ParseNumber(pair.mid(colon + 1).toString(), u'.') : std::nullopt;
                valid = valid && dnOk && dn > 0 && zeta;
                if (valid)
                    fitting.zetaByDn.append({dn, *zeta});
            }
            if (valid && !fitting.zetaByDn.isEmpty()) {
                std::sort(fitting.zetaByDn.begin(), fitting.zetaByDn.end());
                catalogue.fittings.append(fitting);
            }
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
