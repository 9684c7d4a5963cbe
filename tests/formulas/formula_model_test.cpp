#include "calculator/number_text.h"
#include "formulas/formula_catalogue.h"
#include "formulas/formula_equations.h"
#include "formulas/formula_model.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace {

class Formulas : public testing::Test {
protected:
    // Chooses a formula as the selection list does, with every field emptied first.
    void select(int number)
    {
        for (auto& field : model.Fields)
            field.text.clear();
        model.ResetChoice();
        model.FillVariableSet(FillSender::Selection, number);
    }

    // The user types `text` into field `slot` (its focus stays where it is).
    void enter(int slot, const QString& text)
    {
        model.Fields[size_t(slot)].text = text;
        model.EvaluatePending = true;
        model.FillVariableSet(FillSender::Field);
        model.EvaluateFormula();
    }
    void enter(std::initializer_list<std::pair<int, const char*>> values)
    {
        for (const auto& [slot, text] : values)
            enter(slot, QString::fromUtf8(text));
    }

    QString text(int slot) const { return model.Fields[size_t(slot)].text; }
    double value(int slot) const { return ParseNumber(ToComma(text(slot))).value_or(NAN); }
    bool green(int slot) const { return model.Fields[size_t(slot)].colour == FieldColour::Result; }

    CalcDisplay display;
    McStrings captions;
    FormulaModel model{display, captions};
};

TEST(FormulaCatalogue, GroupsAndListIndices)
{
    using namespace FormulaCatalogue;
    EXPECT_EQ(GroupItems(FormulaGroup::BuildingServices).size(), 9);
    EXPECT_EQ(GroupItems(FormulaGroup::Areas).size(), 15);
    EXPECT_EQ(GroupItems(FormulaGroup::Volumes).size(), 12);
    EXPECT_EQ(FormulaNumberOf(FormulaGroup::Areas, 11), 35);
    EXPECT_EQ(FormulaNumberOf(FormulaGroup::Areas, 12), 20);
    EXPECT_EQ(FormulaNumberOf(FormulaGroup::Volumes, 0), 23);
    EXPECT_EQ(FormulaNumberOf(FormulaGroup::Volumes, 12), -1);
    EXPECT_EQ(GroupItems(FormulaGroup::Areas)[11], u"Kreisumfang");
    EXPECT_EQ(Formula(8).item, u"Heizkörper-Vergrößerungsfaktor (nach EN442)");
    for (int n = 0; n < FormulaCount; ++n) {
        EXPECT_EQ(Formula(n).number, n);
        EXPECT_EQ(FormulaNumberOf(Formula(n).group, ListIndexOf(n)), n);
        EXPECT_LE(Formula(n).variables.size(), 8u);
    }
    EXPECT_EQ(Formula(0).variables[0].unit, u"[m³/h]");
    EXPECT_TRUE(Formula(0).variables[0].symbol.overdot);
    EXPECT_TRUE(Formula(0).variables[5].symbol.italic);
    EXPECT_EQ(Formula(0).variables[2].symbol.index, u"v");
    EXPECT_EQ(Formula(4).variables[3].mirrorOf, 1);
    EXPECT_STREQ(Group(FormulaGroup::Volumes).prompt, "Wählen Sie einen Körper:");
}

TEST(McStrings, SixtyFiveGermanDefaults)
{
    McStrings texts;
    EXPECT_EQ(McStrings::GermanDefaults().size(), 65);
    EXPECT_EQ(texts.Entry(61), u"Ungültige Eingabe");
    EXPECT_EQ(texts.Entry(62), u"Berechnung nicht möglich");
    EXPECT_EQ(texts.Entry(65), u"");
    texts.SetEntries({QStringLiteral("Missing files")});
    EXPECT_EQ(texts.Entry(0), u"Missing files");
    EXPECT_EQ(texts.Entry(3), u"Variablen");
}

TEST_F(Formulas, SelectionPutsPlaceholdersAndSpecialFields)
{
    select(8);
    EXPECT_EQ(model.Variables.FormulaNumber, 8);
    EXPECT_TRUE(model.Variables.Rebuild);
    EXPECT_EQ(text(0), u"f");
    EXPECT_EQ(text(7), u"1,3");
    EXPECT_FALSE(model.Fields[4].enabled);
    EXPECT_FALSE(model.Fields[6].enabled);
    EXPECT_TRUE(model.Fields[3].enabled);
    select(21);
    EXPECT_TRUE(model.Fields[1].readOnly);
    EXPECT_TRUE(model.Fields[4].enabled);
    select(0);
    EXPECT_FALSE(model.Fields[1].readOnly);
    EXPECT_EQ(text(6), u"");
}

TEST_F(Formulas, VolumeFlowOfTheHeatingCircuit)
{
    display.FixDecimals = -1;
    select(0);
    model.FocusedField = 5;
    enter(0, QString());
    enter({{1, "1000"}, {2, "70"}, {3, "50"}, {4, "1,163"}, {5, "977"}});
    EXPECT_NEAR(value(0), 1000.0 / (20 * 1.163 * 977), 1e-15);
    EXPECT_NEAR(value(0), 0.0440044, 1e-7);
    EXPECT_TRUE(green(0));
    EXPECT_EQ(model.ResultSlot, 0);
    EXPECT_FALSE(model.FreeChoice);
    // Only the chosen slot is recomputed from now on.
    model.FocusedField = 4;
    enter(4, QStringLiteral("2"));
    EXPECT_NEAR(value(0), 1000.0 / (20 * 2 * 977), 1e-15);
    EXPECT_EQ(text(1), u"1000");
}

TEST_F(Formulas, FirstSlotWithoutTheFocusIsSolved)
{
    display.FixDecimals = -1;
    select(0);
    model.FocusedField = 0;
    const char* texts[] = {"0,05", "1000", "70", "50", "1,163", "977"};
    for (int i = 0; i < 6; ++i)
        model.Fields[size_t(i)].text = QString::fromUtf8(texts[i]);
    enter(0, QStringLiteral("0,05"));
    EXPECT_EQ(model.ResultSlot, 1);
    EXPECT_EQ(text(0), u"0,05");
    EXPECT_NEAR(value(1), 20 * 1.163 * 977 * 0.05, 1e-9);
}

TEST_F(Formulas, NothingToSolveShowsNothing)
{
    select(9);
    enter(0, QString());
    enter(1, QString());
    EXPECT_EQ(model.Notice, FormulaNotice::Hidden);
    EXPECT_EQ(model.ResultSlot, -1);
}

TEST_F(Formulas, PointAndCommaReadAlike)
{
    display.FixDecimals = -1;
    select(10);
    enter({{0, ""}, {1, "2.5"}, {2, "4"}});
    EXPECT_EQ(text(0), u"10");
    select(10);
    enter({{0, ""}, {1, "2,5"}, {2, "4"}});
    EXPECT_EQ(text(0), u"10");
    select(10);
    enter({{0, ""}, {1, ","}, {2, "4"}});
    EXPECT_EQ(text(0), u"");
    EXPECT_FALSE(model.SlotValid(1));
}

TEST_F(Formulas, ResultsFollowTheFixedDecimals)
{
    display.FixDecimals = 2;
    select(10);
    enter({{1, ""}, {0, "1"}, {2, "3"}});
    EXPECT_EQ(text(1), u"0.33");
    display.FixDecimals = -1;
    select(10);
    enter({{1, ""}, {0, "1"}, {2, "3"}});
    EXPECT_EQ(text(1), u"0,333333333333333");
    display.FixDecimals = 3;
    select(9);
    enter({{1, ""}, {0, "16"}});
    EXPECT_EQ(text(1), u"4.000");
}

TEST_F(Formulas, BuildingServicesExamples)
{
    display.FixDecimals = -1;
    select(2);
    enter({{0, ""}, {1, "1"}, {2, "999,1"}, {3, "1000"}});
    EXPECT_EQ(text(0), u"1");
    select(3);
    enter({{2, ""}, {0, "5"}, {1, "2"}});
    EXPECT_EQ(text(2), u"3");
    select(4);
    enter({{0, ""}, {1, "3"}, {2, "4"}});
    EXPECT_EQ(text(0), u"2,4");
    EXPECT_EQ(text(3), u"3");
    EXPECT_EQ(text(4), u"4");
    select(6);
    enter({{0, ""}, {1, "2"}, {2, "1000"}, {3, "1"}});
    EXPECT_EQ(text(0), u"10");
    select(7);
    enter({{0, ""}, {1, "10"}});
    EXPECT_EQ(text(0), u"1137,96");
    select(7);
    enter({{1, ""}, {0, "113,796"}});
    EXPECT_EQ(text(1), u"1");
}

TEST_F(Formulas, KvInSeriesCannotBeSolvedForItsParts)
{
    select(4);
    enter({{1, ""}, {0, "2,4"}, {2, "4"}});
    EXPECT_EQ(model.Notice, FormulaNotice::NotPossible);
    EXPECT_EQ(model.NoticeText(), u"Berechnung nicht möglich !!");
    EXPECT_EQ(model.ResultSlot, -1);
    EXPECT_TRUE(model.FreeChoice);
    EXPECT_EQ(text(1), u"");
}

TEST_F(Formulas, NotPossibleBlocksOfTheVolumesKeepTheChoice)
{
    const struct {
        int formula;
        int asked;
        std::map<int, const char*> given;
    } cases[] = {
        {29, 2, {{0, "10"}, {1, "2"}, {3, "4"}}},
        {30, 3, {{0, "10"}, {1, "2"}, {2, "4"}}},
        {32, 1, {{0, "2"}, {2, "2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.formula);
        select(c.formula);
        enter(c.asked, QString());
        for (const auto& [slot, t] : c.given)
            enter(slot, QString::fromUtf8(t));
        EXPECT_EQ(model.Notice, FormulaNotice::NotPossible);
        EXPECT_EQ(model.ResultSlot, -1);
        EXPECT_TRUE(model.FreeChoice);
        EXPECT_EQ(text(c.asked), u"");
    }
}

TEST_F(Formulas, RadiatorFactorSnapsJustBelowOne)
{
    const std::pair<int, const char*> rows[] = {{5, "1"}, {4, "0.9999"}, {3, "1.000"}};
    for (const auto& [fix, expected] : rows) {
        SCOPED_TRACE(fix);
        display.FixDecimals = fix;
        select(8);
        // n = 1,3 is there from the start: the three temperatures solve f.
        enter({{1, "75"}, {3, "65"}, {2, "20"}});
        EXPECT_EQ(text(0), QString::fromUtf8(expected));
        EXPECT_TRUE(green(0));
    }
    display.FixDecimals = -1;
    select(8);
    enter({{1, "55"}, {3, "45"}, {2, "20"}});
    const double base = std::log(35.0 / 25.0) / 10 * 49.83;
    EXPECT_NEAR(base, 1.68, 0.01);
    EXPECT_NEAR(value(0), std::pow(base, 1.3), 1e-12);
    EXPECT_NEAR(value(0), 1.96, 0.01);
    EXPECT_EQ(text(4), u"20");
    EXPECT_EQ(text(5), u"55");
}

TEST_F(Formulas, RadiatorExponentIsReadTolerantly)
{
    EXPECT_EQ(double(TolerantExponent(QStringLiteral("1,3"))), 1.3);
    EXPECT_EQ(double(TolerantExponent(QStringLiteral("1.3 "))), 1.3);
    EXPECT_EQ(double(TolerantExponent(QStringLiteral("1,33x"))), 1.33);
    EXPECT_EQ(double(TolerantExponent(QStringLiteral("n"))), 0.0);
}

TEST_F(Formulas, FailuresShowTheNoticeAndKeepTheText)
{
    const struct {
        const char* name;
        int formula;
        int solved;
        std::map<int, const char*> given;
    } cases[] = {
        {"equal temperatures", 0, 0, {{1, "1000"}, {2, "50"}, {3, "50"}, {4, "1"}, {5, "1"}}},
        {"radiator with Tr = Ti", 8, 0, {{1, "70"}, {2, "40"}, {3, "40"}}},
        {"root of a negative density", 2, 0, {{1, "1"}, {2, "-999"}, {3, "1000"}}},
        {"rectangle with b = 0", 10, 1, {{0, "5"}, {2, "0"}}},
        {"cube root of a negative volume", 23, 1, {{0, "-8"}}},
        {"hollow cylinder larger than its tube", 26, 3, {{0, "1000"}, {1, "1"}, {2, "2"}}},
        {"segment with d = 2h", 19, 3, {{0, "10"}, {1, "5"}, {2, "10"}, {5, "5"}}},
        {"overflowing product", 24, 0, {{1, "1e200"}, {2, "1e200"}, {3, "1e200"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        select(c.formula);
        enter(c.solved, QString());
        for (const auto& [slot, t] : c.given)
            enter(slot, QString::fromUtf8(t));
        EXPECT_EQ(model.Notice, FormulaNotice::InvalidInput);
        EXPECT_EQ(model.NoticeText(), u"Ungültige Eingabe !!");
        EXPECT_EQ(text(c.solved), u"");
        EXPECT_EQ(model.ResultSlot, -1);
    }
}

TEST_F(Formulas, AreasAndVolumesExamples)
{
    display.FixDecimals = 5;
    select(14);
    enter({{0, ""}, {1, "1"}});
    EXPECT_EQ(text(0), u"3.14159");
    select(35);
    enter({{0, ""}, {1, "1"}});
    EXPECT_EQ(text(0), u"6.28319");
    select(35);
    enter({{1, ""}, {0, "10"}});
    EXPECT_EQ(text(1), u"1.59155");
    display.FixDecimals = -1;
    select(19);
    enter({{0, ""}, {1, "15,7079632679"}, {2, "10"}, {3, "10"}, {5, "5"}});
    EXPECT_NEAR(value(0), 39.2699, 1e-4);
    select(19);
    enter({{1, ""}, {0, "39,27"}, {2, "10"}, {3, "10"}, {5, "5"}});
    EXPECT_NEAR(value(1), 15.708, 1e-3);
    select(23);
    enter({{0, ""}, {1, "-2"}});
    EXPECT_EQ(text(0), u"-8");
    select(23);
    enter({{1, ""}, {0, "27"}});
    EXPECT_NEAR(value(1), 3, 1e-14);
    select(32);
    enter({{0, ""}, {1, "1"}, {2, "2"}});
    EXPECT_NEAR(value(0), 2 * M_PI / 3, 1e-14);
    select(34);
    enter({{0, ""}, {1, "1"}, {2, "2"}, {3, "2"}});
    EXPECT_NEAR(value(0), M_PI, 1e-14);
}

TEST_F(Formulas, HexagonFollowsWhateverHasTheFocus)
{
    display.FixDecimals = -1;
    select(21);
    model.FocusedField = 1;
    enter(0, QStringLiteral("10"));
    EXPECT_EQ(text(1), u"11,55");
    EXPECT_TRUE(green(1));
    EXPECT_EQ(model.ResultSlot, -1);
    enter(0, QStringLiteral("20"));
    EXPECT_EQ(text(1), u"23,1");
    select(22);
    enter(0, QStringLiteral("10"));
    EXPECT_EQ(text(1), u"8,66");
}

TEST_F(Formulas, CircularSegmentDiameterFromTheOtherFour)
{
    display.FixDecimals = -1;
    select(19);
    // d keeps its placeholder: it is found from A, b, s and h.
    enter({{0, "39,2699081698724"}, {1, "15,7079632679490"}, {3, "10"}, {5, "5"}});
    EXPECT_NEAR(value(2), 10, 1e-9);
    EXPECT_EQ(model.ResultSlot, 2);
    EXPECT_EQ(text(4), text(2));
}

TEST_F(Formulas, RandomInputNeverShowsANonNumber)
{
    std::mt19937 random(36);
    const char* texts[] = {"",  "0", "-1",  "1e308", "1e-308", "2,5",    "3.75",
                           ",", "-", "abc", "1e400", "100000", "-0,001", "7"};
    int solved = 0;
    for (int run = 0; run < 3000; ++run) {
        if (run % 20 == 0) {
            display.FixDecimals = int(random() % 11) - 1;
            select(int(random() % FormulaCatalogue::FormulaCount));
        }
        model.FocusedField = int(random() % 9) - 1;
        enter(int(random() % 8), QString::fromUtf8(texts[random() % std::size(texts)]));
        solved += model.ResultSlot >= 0;
        for (const auto& field : model.Fields) {
            ASSERT_FALSE(field.text.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
            ASSERT_FALSE(field.text.contains(QStringLiteral("nan"), Qt::CaseInsensitive));
        }
    }
    // The inputs do reach the equations.
    EXPECT_GT(solved, 300);
}

// Every formula and every slot it can solve: the other slots come from one consistent set
// of values, and solving gives the known value back.
TEST_F(Formulas, RoundTripOverEverySolvableSlot)
{
    display.FixDecimals = -1;
    // Values of the slots other than 0; slot 0 follows from the formula's first block.
    const std::map<int, std::vector<double>> inputs = {
        {0, {0, 12000, 70, 55, 1.163, 977.8}},
        {1, {0, 12000, 70, 55, 1.163}},
        {2, {0, 2.5, 983.2, 150}},
        {3, {0, 4.5, 6.25}},
        {4, {0, 3, 4, 3, 4}},
        {5, {0, 1.8, 2.5, 971.6}},
        {6, {0, 7.5, 990, 0.8}},
        {7, {0, 12.5}},
        {8, {0, 55, 20, 45, 20, 55, 45, 1.3}},
        {9, {0, 7}},
        {10, {0, 3, 4.5}},
        {11, {0, 3, 4.5}},
        {12, {0, 3, 4.5}},
        {13, {0, 3, 5, 2.5}},
        {14, {0, 2.5}},
        {15, {0, 2.5}},
        {16, {0, 1.5}},
        {17, {0, 20, 7.5}},
        {18, {0, 6, 4}},
        {19, {0, 16, 10, 8, 10, 3}},
        {35, {0, 2.5}},
        {20, {0, 6, 4}},
        {21, {10, 0}},
        {22, {10, 0}},
        {23, {0, 3}},
        {24, {0, 2, 3, 4}},
        {25, {0, 2, 5}},
        {26, {0, 5, 4, 3}},
        {27, {0, 2, 3, 4}},
        {28, {0, 2, 5}},
        {29, {0, 3, 4, 9, 4, 9}},
        {30, {0, 3, 4, 2, 4, 2}},
        {31, {0, 3}},
        {32, {0, 1, 4, 1}},
        {33, {0, 4, 1.5}},
        {34, {0, 2, 5, 4}},
    };
    int checked = 0;
    for (int number = 0; number < FormulaCatalogue::FormulaCount; ++number) {
        const FormulaInfo& formula = FormulaCatalogue::Formula(number);
        ASSERT_EQ(inputs.at(number).size(), formula.variables.size()) << number;
        SlotValues known{};
        for (size_t i = 0; i < formula.variables.size(); ++i)
            known[i] = inputs.at(number)[i];
        const SolveBlock& first = SolveBlocks(number).front();
        known[size_t(first.slot)] = first.equation(known);

        for (int slot = 0; slot < int(formula.variables.size()); ++slot) {
            const bool solvable =
                std::any_of(SolveBlocks(number).begin(), SolveBlocks(number).end(),
                            [slot](const SolveBlock& b) {
                                return b.slot == slot && b.kind != SolveBlock::Kind::NotPossible;
                            });
            if (!solvable)
                continue;
            SCOPED_TRACE(testing::Message() << "formula " << number << " slot " << slot);
            select(number);
            model.FocusedField = FormulaModel::NoField;
            enter(slot, QString());
            for (int other = 0; other < int(formula.variables.size()); ++other)
                if (other != slot && formula.variables[size_t(other)].mirrorOf < 0)
                    enter(other, QString::number(double(known[size_t(other)]), 'g', 17));
            ASSERT_EQ(model.Notice, FormulaNotice::Hidden);
            ASSERT_TRUE(green(slot)) << text(slot).toStdString();
            const double expected = double(known[size_t(slot)]);
            EXPECT_NEAR(value(slot), expected, std::fabs(expected) * 1e-12);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 104);
}

// A record's steps only name its own slots, open and close their fractions and roots in
// turn, and its value line gives a field to every slot (a laid-out line places them by
// rules of its own); its legend names only its own slots.
TEST(FormulaRecords, StepsNameTheirOwnSlotsAndCloseWhatTheyOpen)
{
    using Op = DrawStep::Op;
    for (int number = 0; number < FormulaCatalogue::FormulaCount; ++number) {
        SCOPED_TRACE(number);
        const FormulaInfo& formula = FormulaCatalogue::Formula(number);
        const int count = int(formula.variables.size());
        for (const auto* line : {&formula.symbolLine, &formula.valueLine}) {
            std::vector<bool> placed(size_t(count), false);
            int open = 0;
            bool laidOut = false;
            for (const DrawStep& step : *line) {
                if (step.op == Op::Var) {
                    ASSERT_TRUE(step.value >= 0 && step.value < count) << step.value;
                    placed[size_t(step.value)] = true;
                }
                open += step.op == Op::FractionStart || step.op == Op::RootStart;
                open -= step.op == Op::FractionEnd || step.op == Op::RootEnd;
                ASSERT_TRUE(open == 0 || open == 1);
                laidOut = laidOut || step.op == Op::Layout;
            }
            EXPECT_EQ(open, 0);
            if (line == &formula.valueLine && !laidOut) {
                EXPECT_EQ(std::count(placed.begin(), placed.end(), true), count);
            }
        }
        for (const LegendStep& step : formula.legend)
            EXPECT_TRUE(step.slot >= 0 && step.slot < count);
    }
}

} // namespace
