// The table of formula records, built once by the catalogue.
#pragma once

#include "formula_catalogue.h"

#include <array>

namespace FormulaRecords {
using Table = std::array<FormulaInfo, FormulaCatalogue::FormulaCount>;
Table Build();
} // namespace FormulaRecords
