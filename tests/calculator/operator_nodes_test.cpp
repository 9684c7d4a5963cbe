#include "calculator/operator_nodes.h"

#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace {

// A calculator reduced to what the nodes see: the node list, the display value and the
// error state. press() creates a node as an operator key does, with the display value x.
class NodeCalc : public OperatorContext {
public:
    OperatorNode* CurrentOperator() const override { return m_current; }
    AngleMode Angle() const override { return mode; }
    bool InErrorState() const override { return error.has_value(); }
    void ReportError(CalcError e) override { error = e; }
    void ShowResult(double value) override { shown = value; }

    NodeCalc& press(Operator op, double x = 0, int level = 0, bool hyp = false)
    {
        auto node = MakeOperator(op, *this);
        node->Create(hyp, x, level, op, int(m_nodes.size()));
        m_current = node.get();
        m_nodes.push_back(std::move(node));
        return *this;
    }

    AngleMode mode = AngleMode::Radians;
    double shown = std::nan("");
    std::optional<CalcError> error;

private:
    std::vector<std::unique_ptr<OperatorNode>> m_nodes;
    OperatorNode* m_current = nullptr;
};

TEST(Precedence, ProductBeforeSum)
{
    NodeCalc c;
    c.press(Operator::Plus, 2).press(Operator::Times, 3).press(Operator::Equals, 4);
    EXPECT_EQ(c.shown, 14);
}

TEST(Precedence, ProductResolvedWhenTheSumArrives)
{
    NodeCalc c;
    c.press(Operator::Times, 2).press(Operator::Plus, 3);
    EXPECT_EQ(c.shown, 6);
    c.press(Operator::Equals, 4);
    EXPECT_EQ(c.shown, 10);
}

TEST(Precedence, WaitingSumMovesFromPowerToProduct)
{
    NodeCalc c;
    c.press(Operator::Plus, 2).press(Operator::Power, 3).press(Operator::Times, 2);
    EXPECT_EQ(c.shown, 9);
    c.press(Operator::Equals, 4);
    EXPECT_EQ(c.shown, 38);
}

TEST(Precedence, ParenthesisLevelRaisesThePriority)
{
    NodeCalc c;
    // ( 2 + 3 ) * 4 = : the sum inside has level 1; the product after ")" resolves it.
    c.press(Operator::Plus, 2, 1).press(Operator::Times, 3, 0);
    EXPECT_EQ(c.shown, 5);
    c.press(Operator::Equals, 4);
    EXPECT_EQ(c.shown, 20);
}

TEST(Prefix, FunctionAfterFunctionWaitsForIt)
{
    NodeCalc c;
    c.press(Operator::Sin).press(Operator::Cos).press(Operator::Equals, 30);
    EXPECT_DOUBLE_EQ(c.shown, std::sin(std::cos(30.0)));
}

TEST(Prefix, RootOfTheDegree)
{
    NodeCalc c;
    c.press(Operator::Root, 3).press(Operator::Equals, 8);
    EXPECT_NEAR(c.shown, 2, 1e-15);
}

TEST(Angles, DegreesAndGrads)
{
    NodeCalc deg;
    deg.mode = AngleMode::Degrees;
    deg.press(Operator::Sin).press(Operator::Equals, 30);
    EXPECT_NEAR(deg.shown, 0.5, 1e-15);

    NodeCalc arc;
    arc.mode = AngleMode::Degrees;
    arc.press(Operator::ArcSin).press(Operator::Equals, 0.5);
    EXPECT_NEAR(arc.shown, 30, 1e-12);

    NodeCalc grads;
    grads.mode = AngleMode::Grads;
    grads.press(Operator::Sin).press(Operator::Equals, 100);
    EXPECT_NEAR(grads.shown, 1, 1e-15);

    NodeCalc hyp;
    hyp.mode = AngleMode::Degrees;
    hyp.press(Operator::Sin, 0, 0, true).press(Operator::Equals, 90);
    EXPECT_NEAR(hyp.shown, std::sinh(M_PI / 2), 1e-14);
}

TEST(Factorial, FromZeroToSixtyNine)
{
    NodeCalc zero;
    zero.press(Operator::Factorial, 0);
    EXPECT_EQ(zero.shown, 1);
    NodeCalc big;
    big.press(Operator::Factorial, 69);
    EXPECT_NEAR(big.shown / 1.711224524281413e98, 1, 1e-14);
    EXPECT_FALSE(big.error);
    for (double n : {70.0, -1.0, 2.5}) {
        NodeCalc c;
        c.press(Operator::Factorial, n);
        EXPECT_EQ(c.error, CalcError::ArgumentOutOfRange) << n;
    }
}

TEST(Percent, OfASumTakesTheOfferedValue)
{
    NodeCalc c;
    c.press(Operator::Plus, 200).press(Operator::Percent, 10);
    EXPECT_DOUBLE_EQ(c.shown, 0.1);
    c.press(Operator::Equals, 0.1);
    EXPECT_DOUBLE_EQ(c.shown, 200.1);
}

TEST(Percent, WithoutAWaitingNodeDividesOnceMore)
{
    NodeCalc c;
    c.press(Operator::Power, 2).press(Operator::Percent, 10);
    const double powered = std::pow(2.0, 0.1);
    EXPECT_NEAR(c.shown, powered, 1e-15);
    c.press(Operator::Equals, powered);
    EXPECT_NEAR(c.shown, powered / 100, 1e-15);
}

struct ErrorCase {
    const char* name;
    Operator op;
    double left;
    double right; // typed before "="; NAN for a postfix function alone
    CalcError error;
};

class ArithmeticErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ArithmeticErrors, MapToTheirNumbers)
{
    const ErrorCase& e = GetParam();
    NodeCalc c;
    c.press(e.op, e.left);
    if (!std::isnan(e.right))
        c.press(Operator::Equals, e.right);
    ASSERT_TRUE(c.error.has_value());
    EXPECT_EQ(*c.error, e.error);
    EXPECT_TRUE(std::isnan(c.shown) || std::isfinite(c.shown));
}

void PrintTo(const ErrorCase& c, std::ostream* os)
{
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Nodes, ArithmeticErrors,
    testing::Values(
        ErrorCase{"DivideByZero", Operator::Divide, 1, 0, CalcError::DivisionByZero},
        ErrorCase{"ZeroByZero", Operator::Divide, 0, 0, CalcError::InvalidOperation},
        ErrorCase{"ReciprocalOfZero", Operator::Reciprocal, 0, NAN, CalcError::DivisionByZero},
        ErrorCase{"LogOfZero", Operator::Ln, 0, 0, CalcError::DivisionByZero},
        ErrorCase{"RootOfNegative", Operator::SquareRoot, 0, -1, CalcError::InvalidOperation},
        ErrorCase{"LogOfNegative", Operator::Log10, 0, -5, CalcError::InvalidOperation},
        ErrorCase{"ArcSinOutside", Operator::ArcSin, 0, 2, CalcError::InvalidOperation},
        ErrorCase{"NegativeBaseFractionalExponent", Operator::Power, -8, 0.5,
                  CalcError::InvalidOperation},
        ErrorCase{"ExpTooLarge", Operator::Exp, 1000, NAN, CalcError::Overflow},
        ErrorCase{"ProductTooLarge", Operator::Times, 1e300, 1e300, CalcError::Overflow},
        ErrorCase{"PowerTooLarge", Operator::Power, 10, 400, CalcError::Overflow},
        ErrorCase{"ProductTooSmall", Operator::Times, 1e-300, 1e-300, CalcError::Underflow},
        ErrorCase{"ZeroToNegativePower", Operator::Power, 0, -1, CalcError::DivisionByZero}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorState, StopsPassingAndShowing)
{
    NodeCalc c;
    c.press(Operator::Plus, 2).press(Operator::Divide, 1);
    c.shown = 42;
    c.press(Operator::Equals, 0);
    EXPECT_EQ(c.error, CalcError::DivisionByZero);
    EXPECT_EQ(c.shown, 42);
}

TEST(PowerRule, LibraryCases)
{
    EXPECT_EQ(Power(5, 0), 1);
    EXPECT_EQ(Power(0, 3), 0);
    EXPECT_EQ(Power(2, 10), 1024);
    EXPECT_EQ(Power(2, -2), 0.25);
    EXPECT_EQ(Power(-2, 3), -8);
    EXPECT_NEAR(double(Power(2, 0.5)), std::sqrt(2.0), 1e-15);
}

} // namespace
