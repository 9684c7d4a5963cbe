// The pieces the formula records are written with: slots, solve blocks, drawing steps,
// legend items, and the builder that fills one record of the table.
#pragma once

#include "formula_records.h"

#include <numbers>

namespace FormulaRecordParts {

using G = FormulaGroup;
using K = SolveBlock::Kind;
using V = const SlotValues&;
using Steps = std::vector<DrawStep>;
using Legend = std::vector<LegendStep>;
constexpr long double pi = std::numbers::pi_v<long double>;

inline QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// --- slots ---------------------------------------------------------------------------------

inline FormulaSymbol sym(const char* base, const char* index = "")
{
    return FormulaSymbol{u8(base), u8(index)};
}
inline FormulaSymbol flow(const char* base)
{
    FormulaSymbol s = sym(base);
    s.overdot = true;
    return s;
}
inline FormulaSymbol italic(const char* base)
{
    FormulaSymbol s = sym(base);
    s.italic = true;
    return s;
}
inline FormulaSymbol deltaP()
{
    FormulaSymbol s = sym("p");
    s.delta = true;
    return s;
}
inline FormulaSymbol sigmaZeta()
{
    FormulaSymbol s;
    s.sigmaZeta = true;
    return s;
}

inline FormulaSlot slot(const char* placeholder, FormulaSymbol symbol, const char* unit,
                        int caption, int caption2 = -1)
{
    FormulaSlot s;
    s.placeholder = u8(placeholder);
    s.symbol = std::move(symbol);
    s.unit = u8(unit);
    s.caption = caption;
    s.caption2 = caption2;
    return s;
}

// A plain area or volume variable, written with its placeholder letter.
inline FormulaSlot geo(const char* letter, int caption, const char* suffix = "")
{
    FormulaSlot s = slot(letter, sym(letter), "", caption);
    s.captionSuffix = u8(suffix);
    return s;
}

inline FormulaSlot geoIndexed(const char* letter, const char* index, int caption)
{
    return slot(letter, sym(letter, index), "", caption);
}

inline FormulaSlot given(FormulaSlot s)
{
    s.solve = SlotSolve::Given;
    return s;
}

inline FormulaSlot notPossible(FormulaSlot s)
{
    s.solve = SlotSolve::NotPossible;
    return s;
}

// Disabled fields that repeat other slots' values: one mirror per source, appended in order.
inline std::vector<FormulaSlot> withMirrors(std::vector<FormulaSlot> list, std::vector<int> sources)
{
    for (int source : sources) {
        FormulaSlot s = list[size_t(source)];
        s.mirrorOf = source;
        s.solve = SlotSolve::Given;
        list.push_back(s);
    }
    return list;
}

// --- solve blocks --------------------------------------------------------------------------

inline SolveBlock block(int slot, long double (*eq)(V), std::vector<int> needs = {})
{
    SolveBlock b;
    b.slot = slot;
    b.equation = eq;
    b.needs = std::move(needs);
    return b;
}

inline SolveBlock notPossible(int slot, std::vector<int> needs)
{
    SolveBlock b;
    b.slot = slot;
    b.kind = K::NotPossible;
    b.focusGate = false;
    b.needs = std::move(needs);
    return b;
}

inline std::vector<SolveBlock> withoutFocusGate(std::vector<SolveBlock> blocks)
{
    for (auto& b : blocks)
        b.focusGate = false;
    return blocks;
}

// --- drawing steps -------------------------------------------------------------------------

inline DrawStep step(DrawStep::Op op, int value = 0, const char* text = "", const char* index = "",
                     bool italicBase = false)
{
    DrawStep s;
    s.op = op;
    s.value = value;
    s.text = u8(text);
    s.index = u8(index);
    s.italic = italicBase;
    return s;
}
inline DrawStep text(const char* s)
{
    return step(DrawStep::Op::Text, 0, s);
}
inline DrawStep var(int k, const char* index = "")
{
    return step(DrawStep::Op::Var, k, "", index);
}
inline DrawStep power(const char* digit)
{
    return step(DrawStep::Op::Power, 0, digit);
}
inline const DrawStep piSign = step(DrawStep::Op::Pi);
inline const DrawStep delta = step(DrawStep::Op::Delta);
inline const DrawStep rootStart = step(DrawStep::Op::RootStart);
inline const DrawStep rootEnd = step(DrawStep::Op::RootEnd);
inline DrawStep italicText(const char* s)
{
    return step(DrawStep::Op::Italic, 0, s);
}
inline DrawStep subscripted(const char* base, bool italicBase, const char* index)
{
    return step(DrawStep::Op::Subscripted, 0, base, index, italicBase);
}
inline DrawStep fraction(int numeratorX)
{
    return step(DrawStep::Op::FractionStart, numeratorX);
}
inline DrawStep over(const char* denominator, int symbolLineX)
{
    return step(DrawStep::Op::FractionEnd, symbolLineX, denominator);
}
inline DrawStep afterNumerator(int gap)
{
    return step(DrawStep::Op::AfterNumerator, gap);
}
inline Steps layout(DrawLayout which)
{
    return {step(DrawStep::Op::Layout, int(which))};
}

// Steps, legend items and slots joined.
template <typename T> inline std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// --- legend --------------------------------------------------------------------------------

using LO = LegendStep::Op;

inline LegendStep item(LO op, int dy, int x = LegendColumn::Symbol, int k = 0)
{
    LegendStep s;
    s.op = op;
    s.dy = dy;
    s.x = x;
    s.slot = k;
    return s;
}
inline LegendStep heading(int dy, int caption)
{
    LegendStep s = item(LO::Heading, dy);
    s.caption = caption;
    return s;
}
inline LegendStep words(int x, int dy, const char* prefix, int caption = -1,
                        const char* suffix = "")
{
    LegendStep s = item(LO::Text, dy, x);
    s.caption = caption;
    s.prefix = u8(prefix);
    s.suffix = u8(suffix);
    return s;
}
inline LegendStep symbolAt(int k, int dy)
{
    return item(LO::Symbol, dy, LegendColumn::Symbol, k);
}
inline LegendStep rhoWithIndex(int dy, const char* index)
{
    LegendStep s = item(LO::Subscripted, dy);
    s.prefix = u8("ρ");
    s.suffix = u8(index);
    return s;
}
inline LegendStep row(int k, int dy, int gap = 15)
{
    LegendStep s = item(LO::Row, dy, LegendColumn::Caption, k);
    s.gap = gap;
    return s;
}

// The first `count` slots, a row each; a two-line caption takes two rows.
inline Legend servicesRows(const std::vector<FormulaSlot>& list, int count)
{
    Legend rows;
    int dy = 15;
    for (int k = 0; k < count; ++k) {
        rows.push_back(row(k, dy));
        dy += list[size_t(k)].caption2 >= 0 ? 30 : 15;
    }
    return rows;
}

// Δp₀ and ρ₀ of the kv formulas, with their values.
inline Legend kvConstants(int dpRow, int rhoRow, int noteRow)
{
    constexpr int x = LegendColumn::Symbol;
    return {heading(85, 16),
            words(x, 105, "", 17, ":"),
            item(LO::DeltaP0, dpRow),
            words(LegendColumn::Constant, dpRow, " = 1000 mbar"),
            rhoWithIndex(rhoRow, "0"),
            words(LegendColumn::Constant, rhoRow, " = 999,1 kg/m³"),
            words(x, noteRow, "   (", 18, ")")};
}

// Areas and volumes: one row per slot in `order` (slot order by default), mirrors left out.
inline Legend geometryRows(const std::vector<FormulaSlot>& list, std::vector<int> order = {})
{
    if (order.empty())
        for (int k = 0; k < int(list.size()); ++k)
            if (list[size_t(k)].mirrorOf < 0)
                order.push_back(k);
    Legend rows;
    int dy = 15;
    for (int k : order) {
        rows.push_back(item(LO::GeometryRow, dy, LegendColumn::Unit, k));
        dy += list[size_t(k)].caption2 >= 0 ? 30 : 15;
    }
    return rows;
}

// --- the records ---------------------------------------------------------------------------

class Record {
public:
    explicit Record(FormulaInfo& f) : m_f(f) {}
    Record& variables(std::vector<FormulaSlot> s)
    {
        m_f.variables = std::move(s);
        return *this;
    }
    Record& solve(std::vector<SolveBlock> blocks)
    {
        m_f.solveBlocks = std::move(blocks);
        return *this;
    }
    // Both lines alike: a variable is its symbol in one and its field in the other.
    Record& draw(const Steps& both) { return draw(both, both); }
    Record& draw(Steps symbolLine, Steps valueLine)
    {
        m_f.symbolLine = std::move(symbolLine);
        m_f.valueLine = std::move(valueLine);
        return *this;
    }
    Record& legend(Legend rows)
    {
        m_f.legend = std::move(rows);
        return *this;
    }
    Record& geometryLegend(std::vector<int> order = {})
    {
        return legend(geometryRows(m_f.variables, std::move(order)));
    }
    Record& servicesLegend(int count, Legend more = {})
    {
        return legend(servicesRows(m_f.variables, count) + more);
    }
    Record& disabled(std::vector<int> fields)
    {
        m_f.disabledFields = std::move(fields);
        return *this;
    }
    Record& readOnly(std::vector<int> fields)
    {
        m_f.readOnlyFields = std::move(fields);
        return *this;
    }

private:
    FormulaInfo& m_f;
};

class TableBuilder {
public:
    Record add(int number, FormulaGroup group, const char* item)
    {
        FormulaInfo& f = records[size_t(number)];
        f.number = number;
        f.group = group;
        f.item = u8(item);
        return Record(f);
    }
    FormulaRecords::Table records;
};

// "A = " in the symbol line, the first field and " = " in the value line.
inline Steps lead(const char* symbolText)
{
    return {text(symbolText)};
}
inline const Steps leadField{var(0), text(" = ")};

// The records of areas and volumes (formula_records_geometry.cpp).
void AddAreas(TableBuilder& t);
void AddVolumes(TableBuilder& t);

} // namespace FormulaRecordParts
