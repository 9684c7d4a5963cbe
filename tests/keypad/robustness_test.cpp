// Random key sequences and random texts: the calculator must neither crash nor show a
// non-number, whatever a user types or pastes.
#include "common/key_chars.h"
#include "common/number_text.h"
#include "keypad/engine/keypad_page_model.h"
#include "support/keypad_actions.h"
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
    const char* const pastes[] = {
        "1E300",      "-3",   "12", "abc", "2,5", "1E99", "-", "0.0000001", "12345678901234567890",
        " E R R O R", "7e-5", ""};
    struct RandomSource {
        std::mt19937& random;
        const char* const (&pastes)[12];
        int Byte() { return int(random() % 256); }
        int Pick(int count) { return int(random() % unsigned(count)); }
        QString Text(int) { return QString::fromUtf8(pastes[random() % std::size(pastes)]); }
    } source{random, pastes};
    for (int run = 0; run < 200; ++run) {
        CalcDisplay display;
        RecordingServices services;
        services.clipboard = QStringLiteral("1E300");
        KeypadPageModel calc(display, {services, services});
        std::uniform_int_distribution<int> action(0, 60);
        for (int step = 0; step < 300; ++step) {
            // Mostly keys and buttons, the rest typed into either field; a paste brings one of
            // the texts.
            const int a = action(random);
            services.clipboard = QString::fromUtf8(pastes[random() % std::size(pastes)]);
            PressKeypadAction(calc, display,
                              a < KeypadTypedActions ? a : a + int(random() % (256 - 60)), source);
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
