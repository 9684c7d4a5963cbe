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
    TOperator* CurrentOperator() const override { return m_current; }
    AngleMode Angle() const override { return mode; }
    bool InErrorState() const override { return error.has_value(); }
    void ReportError(CalcError e) override { error = e; }
    void ShowResult(double value) override { shown = value; }

    NodeCalc& press(int op, double x = 0, int level = 0, bool hyp = false)
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
    std::vector<std::unique_ptr<TOperator>> m_nodes;
    TOperator* m_current = nullptr;
};

TEST(Precedence, ProductBeforeSum)
{
    NodeCalc c;
    c.press(Op::Plus, 2).press(Op::Times, 3).press(Op::Equals, 4);
    EXPECT_EQ(c.shown, 14);
}

TEST(Precedence, ProductResolvedWhenTheSumArrives)
{
    NodeCalc c;
    c.press(Op::Times, 2).press(Op::Plus, 3);
    EXPECT_EQ(c.shown, 6);
    c.press(Op::Equals, 4);
    EXPECT_EQ(c.shown, 10);
}

TEST(Precedence, WaitingSumMovesFromPowerToProduct)
{
    NodeCalc c;
    c.press(Op::Plus, 2).press(Op::Power, 3).press(Op::Times, 2);
    EXPECT_EQ(c.shown, 9);
    c.press(Op::Equals, 4);
    EXPECT_EQ(c.shown, 38);
}

TEST(Precedence, ParenthesisLevelRaisesThePriority)
{
    NodeCalc c;
    // ( 2 + 3 ) * 4 = : the sum inside has level 1; the product after ")" resolves it.
    c.press(Op::Plus, 2, 1).press(Op::Times, 3, 0);
    EXPECT_EQ(c.shown, 5);
    c.press(Op::Equals, 4);
    EXPECT_EQ(c.shown, 20);
}

TEST(Prefix, FunctionAfterFunctionWaitsForIt)
{
    NodeCalc c;
    c.press(Op::Sin).press(Op::Cos).press(Op::Equals, 30);
    EXPECT_DOUBLE_EQ(c.shown, std::sin(std::cos(30.0)));
}

TEST(Prefix, RootOfTheDegree)
{
    NodeCalc c;
    c.press(Op::Root, 3).press(Op::Equals, 8);
    EXPECT_NEAR(c.shown, 2, 1e-15);
}

TEST(Angles, DegreesAndGrads)
{
    NodeCalc deg;
    deg.mode = AngleMode::Degrees;
    deg.press(Op::Sin).press(Op::Equals, 30);
    EXPECT_NEAR(deg.shown, 0.5, 1e-15);

    NodeCalc arc;
    arc.mode = AngleMode::Degrees;
    arc.press(Op::ArcSin).press(Op::Equals, 0.5);
    EXPECT_NEAR(arc.shown, 30, 1e-12);

    NodeCalc grads;
    grads.mode = AngleMode::Grads;
    grads.press(Op::Sin).press(Op::Equals, 100);
    EXPECT_NEAR(grads.shown, 1, 1e-15);

    NodeCalc hyp;
    hyp.mode = AngleMode::Degrees;
    hyp.press(Op::Sin, 0, 0, true).press(Op::Equals, 90);
    EXPECT_NEAR(hyp.shown, std::sinh(M_PI / 2), 1e-14);
}

TEST(Factorial, FromZeroToSixtyNine)
{
    NodeCalc zero;
    zero.press(Op::Factorial, 0);
    EXPECT_EQ(zero.shown, 1);
    NodeCalc big;
    big.press(Op::Factorial, 69);
    EXPECT_NEAR(big.shown / 1.711224524281413e98, 1, 1e-14);
    EXPECT_FALSE(big.error);
    for (double n : {70.0, -1.0, 2.5}) {
        NodeCalc c;
        c.press(Op::Factorial, n);
        EXPECT_EQ(c.error, CalcError::ArgumentOutOfRange) << n;
    }
}

TEST(Percent, OfASumTakesTheOfferedValue)
{
    NodeCalc c;
    c.press(Op::Plus, 200).press(Op::Percent, 10);
    EXPECT_DOUBLE_EQ(c.shown, 0.1);
    c.press(Op::Equals, 0.1);
    EXPECT_DOUBLE_EQ(c.shown, 200.1);
}

TEST(Percent, WithoutAWaitingNodeDividesOnceMore)
{
    NodeCalc c;
    c.press(Op::Power, 2).press(Op::Percent, 10);
    const double powered = std::pow(2.0, 0.1);
    EXPECT_NEAR(c.shown, powered, 1e-15);
    c.press(Op::Equals, powered);
    EXPECT_NEAR(c.shown, powered / 100, 1e-15);
}

struct ErrorCase {
    const char* name;
    int op;
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
        c.press(Op::Equals, e.right);
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
    testing::Values(ErrorCase{"DivideByZero", Op::Divide, 1, 0, CalcError::DivisionByZero},
                    ErrorCase{"ZeroByZero", Op::Divide, 0, 0, CalcError::InvalidOperation},
                    ErrorCase{"ReciprocalOfZero", Op::Reciprocal, 0, NAN,
                              CalcError::DivisionByZero},
                    ErrorCase{"LogOfZero", Op::Ln, 0, 0, CalcError::DivisionByZero},
                    ErrorCase{"RootOfNegative", Op::SquareRoot, 0, -1, CalcError::InvalidOperation},
                    ErrorCase{"LogOfNegative", Op::Log10, 0, -5, CalcError::InvalidOperation},
                    ErrorCase{"ArcSinOutside", Op::ArcSin, 0, 2, CalcError::InvalidOperation},
                    ErrorCase{"NegativeBaseFractionalExponent", Op::Power, -8, 0.5,
                              CalcError::InvalidOperation},
                    ErrorCase{"ExpTooLarge", Op::Exp, 1000, NAN, CalcError::Overflow},
                    ErrorCase{"ProductTooLarge", Op::Times, 1e300, 1e300, CalcError::Overflow},
                    ErrorCase{"PowerTooLarge", Op::Power, 10, 400, CalcError::Overflow},
                    ErrorCase{"ProductTooSmall", Op::Times, 1e-300, 1e-300, CalcError::Underflow},
                    ErrorCase{"ZeroToNegativePower", Op::Power, 0, -1, CalcError::DivisionByZero}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorState, StopsPassingAndShowing)
{
    NodeCalc c;
    c.press(Op::Plus, 2).press(Op::Divide, 1);
    c.shown = 42;
    c.press(Op::Equals, 0);
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

TEST(OperatorTable, TextsAndGroups)
{
    EXPECT_STREQ(Op::DisplayText(Op::Log2), " log2 ");
    EXPECT_STREQ(Op::DisplayText(Op::Root), ".W");
    EXPECT_STREQ(Op::DisplayText(Op::Percent), "%");
    EXPECT_TRUE(Op::IsPrefix(Op::SquareRoot));
    EXPECT_FALSE(Op::IsPrefix(Op::Reciprocal));
    EXPECT_TRUE(Op::IsPostfix(Op::Exp));
    EXPECT_FALSE(Op::IsPostfix(Op::Percent));
    NodeCalc c;
    EXPECT_EQ(MakeOperator(Op::OpenParen, c), nullptr);
    EXPECT_EQ(MakeOperator(Op::Hyperbolic, c), nullptr);
}

} // namespace
