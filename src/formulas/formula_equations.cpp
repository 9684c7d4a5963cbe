#include "formula_equations.h"

#include "calculator/number_text.h"
#include "formula_catalogue.h"

const std::vector<SolveBlock>& SolveBlocks(int formulaNumber)
{
    static const std::vector<SolveBlock> none;
    if (formulaNumber < 0 || formulaNumber >= FormulaCatalogue::FormulaCount)
        return none;
    return FormulaCatalogue::Formula(formulaNumber).solveBlocks;
}

long double TolerantExponent(const QString& text)
{
    // The longest leading part that is a number counts.
    const QString t = ToComma(text.trimmed());
    for (qsizetype n = t.size(); n > 0; --n)
        if (const auto v = ParseNumber(t.left(n)))
            return *v;
    return 0;
}
