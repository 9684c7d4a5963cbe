// Random key sequences and random texts: the calculator must neither crash nor show a
// non-number, whatever a user types or pastes.
#include "calculator/key_chars.h"
#include "calculator/keypad_page_model.h"
#include "calculator/number_text.h"
#include "support/qt_printers.h"
#include "support/recording_services.h"

#include <gtest/gtest.h>

#include <random>

namespace {

bool showsNonNumber(const QString& text)
{
    return text.contains(QStringLiteral("inf"), Qt::CaseInsensitive) ||
           text.contains(QStringLiteral("nan"), Qt::CaseInsensitive);
}

TEST(Robustness, RandomKeypadSequencesKeepTheDisplayANumberOrTheError)
{
    std::mt19937 random(20261208);
    const char16_t typed[] = {u'0',          u'1', u'5',           u'9',         u'.',
                              u',',          u'+', u'-',           u'*',         u'/',
                              u'(',          u')', u'%',           u'p',         u'°',
                              u'x',          u' ', KeyChar::Enter, KeyChar::Esc, KeyChar::Backspace,
                              KeyChar::CtrlV};
    const char* const pastes[] = {
        "1E300",      "-3",   "12", "abc", "2,5", "1E99", "-", "0.0000001", "12345678901234567890",
        " E R R O R", "7e-5", ""};
    for (int run = 0; run < 200; ++run) {
        CalcDisplay display;
        RecordingServices services;
        services.clipboard = QStringLiteral("1E300");
        KeypadPageModel calc(display, {services, services});
        std::uniform_int_distribution<int> action(0, 60);
        for (int step = 0; step < 300; ++step) {
            const int a = action(random);
            if (a < 27) {
                if (KindOf(Operator(a)) != OperatorKind::Text)
                    calc.OperatorPressed(Operator(a));
            } else if (a < 38) {
                calc.DigitPressed(a - 27);
            } else if (a < 40) {
                calc.ParenthesisPressed(a == 38);
            } else if (a == 40) {
                calc.HypPressed();
            } else if (a == 41) {
                calc.PlusMinus();
            } else if (a == 42) {
                calc.PiPressed();
            } else if (a == 43) {
                calc.SetAngleMode(AngleMode(random() % 3));
            } else if (a == 44) {
                display.StartFixEntry();
            } else if (a == 45) {
                display.FocusedField = CalcDisplay::EntryField(random() % 3);
            } else if (a == 46) {
                calc.StoreInMemory(int(random() % 20));
            } else if (a == 47) {
                calc.RecallMemory(int(random() % 20));
            } else {
                const char16_t key = typed[random() % std::size(typed)];
                services.clipboard = QString::fromUtf8(pastes[random() % std::size(pastes)]);
                if (random() % 4 == 0)
                    calc.ExponentKeyTyped(key, random() % 2);
                else
                    calc.MantissaKeyTyped(key, random() % 2);
            }
            ASSERT_FALSE(showsNonNumber(display.Mantissa)) << display.Mantissa.toStdString();
            ASSERT_TRUE(display.Mantissa.isEmpty() || display.Mantissa == u" E R R O R" ||
                        IsNumberText(display.Mantissa))
                << display.Mantissa.toStdString();
            ASSERT_TRUE(display.Exponent.isEmpty() || IsNumberText(display.Exponent))
                << display.Exponent.toStdString();
            ASSERT_FALSE(showsNonNumber(display.Exponent));
            ASSERT_FALSE(showsNonNumber(display.ExpressionLine));
            ASSERT_GE(calc.ParenDepth, 0);
            ASSERT_LE(calc.ParenDepth, KeypadPageModel::MaxParenDepth);
            ASSERT_LE(display.Exponent.size(), 4);
        }
    }
}

TEST(Robustness, NumberTextsSurviveAnyText)
{
    std::mt19937 random(7);
    const QString alphabet = QStringLiteral("0123456789.,-+eE \t:xä€") + QChar(0) + QChar(0xD800);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        const int length = int(random() % 24);
        for (int k = 0; k < length; ++k)
            text += alphabet[int(random() % alphabet.size())];
        const auto value = ParseNumber(text);
        if (value) {
            ASSERT_TRUE(std::isfinite(*value)) << text.toStdString();
        }
        IsNumberText(text);
        StripTrailingZeros(text);
        for (int fix : {-1, 0, 9})
            for (bool display : {false, true})
                FormatMantissa(
                    text, fix,
                    display ? (random() % 2 == 0 ? MantissaStyle::Formula : MantissaStyle::Display)
                            : MantissaStyle::Written);
    }
}

TEST(Robustness, ExtremeValuesFormat)
{
    for (double v : {1e308, -1e308, 5e-324, 1e-300, 123456789012345678.0, 0.1, -0.0}) {
        for (int fix : {-1, 0, 5, 9}) {
            const QString text = FormatMantissa(ResultText(v), fix, MantissaStyle::Display);
            EXPECT_FALSE(showsNonNumber(text)) << v;
            EXPECT_FALSE(text.isEmpty()) << v;
        }
        EXPECT_FALSE(FixedText(v, 18).isEmpty());
    }
}

} // namespace
