// The keypad's keys as numbers, for the tests and fuzz targets that press them at random: one
// action number presses the same key everywhere. `in` hands out what a key needs besides:
// Byte() a number 0 … 255, Pick(n) one of 0 … n − 1, Text(max) a text of up to `max` characters.
#pragma once

#include "common/key_chars.h"
#include "keypad/engine/keypad_page_model.h"
#include "keypad/engine/keypad_table.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <string>

// Actions 0 … 51 press keys and buttons; from 52 on a typed key, into the power-of-ten field
// from 200 on.
inline constexpr int KeypadTypedActions = 52;

inline constexpr char16_t kKeypadTypedKeys[] = {u'0',           u'1',
                                                u'5',           u'9',
                                                u'.',           u',',
                                                u'+',           u'-',
                                                u'*',           u'/',
                                                u'(',           u')',
                                                u'%',           u'p',
                                                u'e',           u'E',
                                                u'x',           u' ',
                                                u'°',           KeyChar::Enter,
                                                KeyChar::Esc,   KeyChar::Backspace,
                                                KeyChar::CtrlV, KeyChar::CtrlC};

template <class Source>
void PressKeypadAction(KeypadPageModel& calc, CalcDisplay& display, int a, Source& in)
{
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
        calc.EulerPressed();
    } else if (a == 44) {
        calc.SetAngleMode(AngleMode(in.Pick(3)));
    } else if (a == 45) {
        display.StartFixEntry();
    } else if (a == 46) {
        display.FocusedField = CalcDisplay::EntryField(in.Pick(3));
    } else if (a == 47) {
        calc.StoreInMemory(in.Pick(20));
    } else if (a == 48) {
        calc.RecallMemory(in.Pick(20));
    } else if (a == 49) {
        calc.ClearCalculation();
    } else if (a == 50) {
        calc.EntryEdited(CalcDisplay::EntryField(1 + in.Pick(2)), in.Text(16));
    } else if (a == 51) {
        calc.MemoryGridKey(in.Pick(20), in.Byte() % 2 ? KeyChar::CtrlV : KeyChar::CtrlC);
    } else {
        const char16_t key = kKeypadTypedKeys[a % std::size(kKeypadTypedKeys)];
        if (a >= 200)
            calc.ExponentKeyTyped(key, a % 2);
        else
            calc.MantissaKeyTyped(key, a % 2);
    }
}

// Presses keypad keys written as a line of tokens: digits and "." are typed one by one,
// every other token names a key ("+", "sin", "x2", "(", "hyp", "pi", "+/-", "C", "fix").
inline void PressKeys(KeypadPageModel& calc, const std::string& line)
{
    static const std::map<std::string, Operator> ops = {
        {"=", Operator::Equals},        {"+", Operator::Plus},        {"-", Operator::Minus},
        {"*", Operator::Times},         {"/", Operator::Divide},      {"x2", Operator::Square},
        {"sqrt", Operator::SquareRoot}, {"^", Operator::Power},       {".W", Operator::Root},
        {"sin", Operator::Sin},         {"cos", Operator::Cos},       {"tan", Operator::Tan},
        {"cot", Operator::Cot},         {"log2", Operator::Log2},     {"log10", Operator::Log10},
        {"ln", Operator::Ln},           {"arcsin", Operator::ArcSin}, {"arccos", Operator::ArcCos},
        {"arctan", Operator::ArcTan},   {"arccot", Operator::ArcCot}, {"1/x", Operator::Reciprocal},
        {"!", Operator::Factorial},     {"e^x", Operator::Exp},       {"%", Operator::Percent}};
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t end = line.find(' ', pos);
        const std::string token = line.substr(pos, end == std::string::npos ? end : end - pos);
        pos = end == std::string::npos ? line.size() : end + 1;
        if (token.empty())
            continue;
        if (auto it = ops.find(token); it != ops.end())
            calc.OperatorPressed(it->second);
        else if (token == "(" || token == ")")
            calc.ParenthesisPressed(token == "(");
        else if (token == "hyp")
            calc.HypPressed();
        else if (token == "pi")
            calc.PiPressed();
        else if (token == "e")
            calc.EulerPressed();
        else if (token == "+/-")
            calc.PlusMinus();
        else if (token == "C")
            calc.ClearCalculation();
        else if (token == "fix")
            calc.Display().StartFixEntry();
        else
            for (char c : token) {
                ASSERT_TRUE(c == '.' || (c >= '0' && c <= '9')) << token;
                calc.DigitPressed(c == '.' ? DecimalKeyValue : c - '0');
            }
    }
}
