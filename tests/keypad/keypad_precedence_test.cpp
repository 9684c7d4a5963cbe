// Keypad calculations against their mathematical value: ordinary precedence (+ − below
// × ÷ below x^y), prefix functions on the number, group or function chain after them,
// postfix keys on the number or closed group before them, in any group.
#include "common/number_text.h"
#include "keypad/engine/keypad_page_model.h"
#include "keypad/engine/keypad_table.h"
#include "support/keypad_actions.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

struct Calculator {
    CalcDisplay display;
    RecordingServices services;
    KeypadPageModel calc{display, {services, services}};

    Calculator() { display.FixDecimals = -1; }

    void keys(const std::string& line) { PressKeys(calc, line); }

    std::optional<double> shown() const
    {
        if (display.ErrorState || display.Mantissa.contains(u'R'))
            return std::nullopt;
        return ParseNumber(ToComma(calc.DisplayText()));
    }
};

struct Sequence {
    const char* keys;
    const char* shown;
    const char* line;
};

// Each of these once lost an operand or applied a key to the wrong one.
TEST(KeypadPrecedence, OperandsGoWhereTheLineSaysTheyGo)
{
    const Sequence cases[] = {
        {"2 + sin cos 30 =", "2.015114419", "2+ sin cos30=2.015114419"},
        {"1 + sin sqrt 0 =", "1", "1+ sin W0=1"},
        {"2 ^ sin 30 =", "1.414213562", "2^ sin30=1.414213562"},
        {"2 ^ sqrt 4 =", "4", "2^ W4=4"},
        {"16 ^ 2 1/x =", "4", "16^1/2=4"},
        {"2 ^ 3 x2 x2 =", "2.417851639E24", "2^3^2^2=2.417851639E24"},
        {"( 2 + 3 x2 ) * 2 =", "22", "(2+3^2)*2=22"},
        {"( 2 + 3 ! ) * 2 =", "16", "(2+3!)*2=16"},
        {"( 2 + 4 1/x ) * 2 =", "4.500000000", "(2+1/4)*2=4.500000000"},
        {"2 ^ ( 1 + 3 ) x2 =", "65536", "2^(1+3)^2=65536"},
        {"200 + 10 % =", "200.100000000", nullptr},
        {"2 ^ 50 % =", "0.014142136", nullptr},
    };
    for (const Sequence& c : cases) {
        SCOPED_TRACE(c.keys);
        Calculator run;
        run.display.FixDecimals = 9;
        run.keys(c.keys);
        EXPECT_EQ(run.display.Mantissa +
                      (run.display.Exponent.isEmpty() ? QString() : u'E' + run.display.Exponent),
                  QString::fromLatin1(c.shown));
        if (c.line) {
            EXPECT_EQ(run.display.ExpressionLine, QString::fromLatin1(c.line));
        }
    }
}

TEST(KeypadPrecedence, AnErrorLeavesNoClosedParenthesisBehind)
{
    for (const char* failing : {"( 1 / 0 ) + 2 =", "1 / ( 2 - 2 ) ="}) {
        SCOPED_TRACE(failing);
        Calculator run;
        run.keys(failing);
        run.keys("3 + 3 =");
        EXPECT_EQ(run.display.ExpressionLine, u"3+3=6");
        const QStringList tape = run.calc.Tape().Lines();
        ASSERT_GE(tape.size(), 5);
        EXPECT_EQ(tape.mid(tape.size() - 5, 3), (QStringList{u"3"_qs, u"+3"_qs, u"=6"_qs}));
    }
}

TEST(KeypadPrecedence, ARoundedMantissaCarriesIntoThePowerOfTen)
{
    for (int decimals : {0, 2, 9}) {
        SCOPED_TRACE(decimals);
        Calculator run;
        run.display.FixDecimals = decimals;
        run.keys("99999999999999 * 99999999999999 =");
        EXPECT_EQ(run.display.Mantissa, u"1");
        EXPECT_EQ(run.display.Exponent, u"28");
        EXPECT_TRUE(run.display.ExpressionLine.endsWith(u"=1E28"));
    }
}

// --- random calculations against a recursive-descent evaluator ---------------------------

// A calculation as the keys that type it and its value, built from the grammar
//   sum := product {(+|−) product};  product := power {(×|÷) power};
//   power := unary {^ unary};  unary := {prefix} operand;  operand := (number | (sum)) {postfix}
// Values outside a range where fifteen shown digits keep 1e-12 are thrown away, as are
// domain errors: the test is about where operands go, not about the edges of arithmetic.
class RandomCalculation {
public:
    explicit RandomCalculation(unsigned seed) : m_random(seed) {}

    // The keys and the value; nothing when the drawn calculation left the safe range.
    std::optional<double> Draw(std::string& keys)
    {
        m_keys.clear();
        m_valid = true;
        m_depth = 0;
        const double value = sum();
        keys = m_keys + "=";
        if (!m_valid)
            return std::nullopt;
        return value;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    void key(const std::string& k) { m_keys += k + ' '; }
    double check(double v)
    {
        if (!std::isfinite(v) || std::fabs(v) > 1e9 || (v != 0 && std::fabs(v) < 1e-6))
            m_valid = false;
        return m_valid ? v : 1;
    }

    double sum()
    {
        double v = product();
        for (int n = pick(3); n > 0; --n) {
            const bool plus = pick(2) == 0;
            key(plus ? "+" : "-");
            const double r = product();
            const double result = plus ? v + r : v - r;
            // A sum that cancels loses the digits the display dropped.
            if (std::fabs(result) < 1e-3 * std::max(std::fabs(v), std::fabs(r)))
                m_valid = false;
            v = check(result);
        }
        return v;
    }

    double product()
    {
        double v = power();
        for (int n = pick(3); n > 0; --n) {
            const bool times = pick(2) == 0;
            key(times ? "*" : "/");
            const double r = power();
            v = check(times ? v * r : v / r);
        }
        return v;
    }

    double power()
    {
        double v = unary();
        if (pick(4) == 0) {
            key("^");
            const double r = unary();
            if (v <= 0 || std::fabs(r) > 6)
                m_valid = false;
            v = check(std::pow(v, r));
        }
        return v;
    }

    double unary()
    {
        std::vector<std::string> prefixes;
        while (prefixes.size() < 3 && pick(4) == 0)
            prefixes.push_back(
                std::vector<std::string>{"sin", "cos", "sqrt", "ln", "log10"}[pick(5)]);
        for (const std::string& p : prefixes)
            key(p);
        double v = operand();
        for (auto p = prefixes.rbegin(); p != prefixes.rend(); ++p) {
            const double rad = v * std::numbers::pi / 180;
            if (*p == "sin")
                v = std::sin(rad);
            else if (*p == "cos")
                v = std::cos(rad);
            else if (v <= 0)
                m_valid = false;
            else
                v = *p == "sqrt" ? std::sqrt(v) : *p == "ln" ? std::log(v) : std::log10(v);
            v = check(v);
        }
        return v;
    }

    double operand()
    {
        double v = 0;
        if (m_depth < 3 && pick(4) == 0) {
            key("(");
            ++m_depth;
            v = sum();
            --m_depth;
            key(")");
        } else {
            const int whole = 1 + pick(40);
            const bool fraction = pick(3) == 0;
            const int tenth = pick(9) + 1;
            key(std::to_string(whole) + (fraction ? "." + std::to_string(tenth) : ""));
            v = whole + (fraction ? tenth / 10.0 : 0);
        }
        for (int n = pick(4) == 0 ? 1 + pick(2) : 0; n > 0; --n) {
            switch (pick(4)) {
            case 0:
                key("x2");
                v = check(v * v);
                break;
            case 1:
                key("1/x");
                v = check(1 / v);
                break;
            case 2:
                key("e^x");
                if (std::fabs(v) > 20)
                    m_valid = false;
                v = check(std::exp(v));
                break;
            default: {
                key("!");
                if (v != std::trunc(v) || v < 0 || v > 12)
                    m_valid = false;
                else
                    v = check(std::tgamma(v + 1));
            }
            }
        }
        return v;
    }

    std::mt19937 m_random;
    std::string m_keys;
    bool m_valid = true;
    int m_depth = 0;
};

TEST(KeypadPrecedence, RandomCalculationsEqualTheirMathematicalValue)
{
    RandomCalculation draw(20261209);
    int compared = 0;
    for (int i = 0; i < 12000; ++i) {
        std::string keys;
        const std::optional<double> expected = draw.Draw(keys);
        if (!expected)
            continue;
        ++compared;
        Calculator run;
        run.keys(keys);
        const std::optional<double> shown = run.shown();
        ASSERT_TRUE(shown.has_value()) << keys << " shows " << run.display.Mantissa.toStdString();
        ASSERT_NEAR(*shown, *expected, 1e-12 * std::max(1.0, std::fabs(*expected)))
            << keys << "\nline " << run.display.ExpressionLine.toStdString();
    }
    EXPECT_GT(compared, 2000);
}

} // namespace
