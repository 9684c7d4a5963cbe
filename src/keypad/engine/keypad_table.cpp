#include "keypad/engine/keypad_table.h"

#include "common/key_chars.h"
#include "keypad/engine/operator_nodes.h"

namespace {

using K = KeyKind;
using C = KeyColour;
using O = Operator;

// The keys sit in a grid of 6 columns below the display, memory and mode rows.
constexpr int kLeft = 6;
constexpr int kKeyWidth = 56;
constexpr int kKeyHeight = 30;
constexpr int kKeyGap = 4;
constexpr int kKeysTop = 202;

constexpr KeyPlace grid(int row, int column)
{
    return {kLeft + column * (kKeyWidth + kKeyGap), kKeysTop + row * (kKeyHeight + kKeyGap),
            kKeyWidth, kKeyHeight};
}

constexpr KeyPlace angleLamp(int mode)
{
    return {70 + mode * 56, 68, 18, 18};
}

constexpr KeyPlace memoryKey(int i)
{
    return {238 + i * 41, 118, 38, 30};
}

constexpr char16_t kEnter[] = {KeyChar::Enter, 0};
constexpr char16_t kEsc[] = {KeyChar::Esc, 0};

// Three rows of functions, then the digit block with the functions left of it and the
// basic operators right of it; above them the mode row and the memory keys.
constexpr KeypadKey kKeys[] = {
    {"img_hyp", K::Hyp, O::Equals, 0, u"", "hyp", "", "", "Hyperbolische Funktion", grid(0, 0),
     C::Function},
    {"img_constpi", K::Constant, O::Equals, 0, u"p", "π", "", "", "Kreiszahl Pi", grid(0, 1),
     C::Function},
    {"img_conste", K::Constant, O::Equals, 1, u"", "e", "", "", "Eulersche Zahl e", grid(0, 2),
     C::Function},
    {"img_klammer0auf", K::Paren, O::OpenParen, 0, u"(", "(", "", "", "Klammer auf", grid(0, 3),
     C::Function},
    {"img_klammer1zu", K::Paren, O::CloseParen, 1, u")", ")", "", "", "Klammer zu", grid(0, 4),
     C::Function},
    {"jmg_clear", K::Clear, O::Equals, 0, kEsc, "C", "", "", "Rechnung löschen", grid(0, 5),
     C::Clear},

    {"img_operator09_sin", K::Operator, O::Sin, 0, u"", "sin", "", "", "Sinus", grid(1, 0),
     C::Function},
    {"img_operator10_cos", K::Operator, O::Cos, 0, u"", "cos", "", "", "Kosinus", grid(1, 1),
     C::Function},
    {"img_operator11_tan", K::Operator, O::Tan, 0, u"", "tan", "", "", "Tangens", grid(1, 2),
     C::Function},
    {"img_operator12_cot", K::Operator, O::Cot, 0, u"", "cot", "", "", "Kotangens", grid(1, 3),
     C::Function},
    {"img_operator20_1durchx", K::Operator, O::Reciprocal, 0, u"", "1/x", "", "", "Kehrwert",
     grid(1, 4), C::Function},
    {"img_operator26_prozent", K::Operator, O::Percent, 0, u"%", "%", "", "", "Prozent", grid(1, 5),
     C::Function},

    {"img_operator16_arcsin", K::Operator, O::ArcSin, 0, u"", "sin", "-1", "", "Arkussinus",
     grid(2, 0), C::Function},
    {"img_operator17_arccos", K::Operator, O::ArcCos, 0, u"", "cos", "-1", "", "Arkuskosinus",
     grid(2, 1), C::Function},
    {"img_operator18_arctan", K::Operator, O::ArcTan, 0, u"", "tan", "-1", "", "Arkustangens",
     grid(2, 2), C::Function},
    {"img_operator19_arccot", K::Operator, O::ArcCot, 0, u"", "cot", "-1", "", "Arkuskotangens",
     grid(2, 3), C::Function},
    {"img_operator21_fakultaet", K::Operator, O::Factorial, 0, u"", "n!", "", "", "Fakultät",
     grid(2, 4), C::Function},
    {"img_plus_minus", K::Sign, O::Equals, 0, u"", "±", "", "", "Vorzeichen wechseln", grid(2, 5),
     C::Function},

    {"img_operator05_quadrat", K::Operator, O::Square, 0, u"", "x", "2", "", "Quadrat", grid(3, 0),
     C::Function},
    {"img_operator06_wurzel", K::Operator, O::SquareRoot, 0, u"", "√x", "", "", "Quadratwurzel",
     grid(3, 1), C::Function},
    {"img_operator07_xhochy", K::Operator, O::Power, 0, u"°", "x", "y", "", "x hoch y", grid(4, 0),
     C::Function},
    {"img_operator08_xwurzel", K::Operator, O::Root, 0, u"", "√x", "", "y", "y-te Wurzel aus x",
     grid(4, 1), C::Function},
    {"img_operator15_ln", K::Operator, O::Ln, 0, u"", "ln", "", "", "Natürlicher Logarithmus",
     grid(5, 0), C::Function},
    {"img_operator22_ehochx", K::Operator, O::Exp, 0, u"", "e", "x", "", "e hoch x", grid(5, 1),
     C::Function},
    {"img_operator13_log2", K::Operator, O::Log2, 0, u"", "log2", "", "", "Logarithmus zur Basis 2",
     grid(6, 0), C::Function},
    {"img_operator14_log10", K::Operator, O::Log10, 0, u"", "log10", "", "", "Zehnerlogarithmus",
     grid(6, 1), C::Function},

    {"img_ziffer7", K::Digit, O::Equals, 7, u"7", "7", "", "", "", grid(3, 2), C::Digit},
    {"img_ziffer8", K::Digit, O::Equals, 8, u"8", "8", "", "", "", grid(3, 3), C::Digit},
    {"img_ziffer9", K::Digit, O::Equals, 9, u"9", "9", "", "", "", grid(3, 4), C::Digit},
    {"img_ziffer4", K::Digit, O::Equals, 4, u"4", "4", "", "", "", grid(4, 2), C::Digit},
    {"img_ziffer5", K::Digit, O::Equals, 5, u"5", "5", "", "", "", grid(4, 3), C::Digit},
    {"img_ziffer6", K::Digit, O::Equals, 6, u"6", "6", "", "", "", grid(4, 4), C::Digit},
    {"img_ziffer1", K::Digit, O::Equals, 1, u"1", "1", "", "", "", grid(5, 2), C::Digit},
    {"img_ziffer2", K::Digit, O::Equals, 2, u"2", "2", "", "", "", grid(5, 3), C::Digit},
    {"img_ziffer3", K::Digit, O::Equals, 3, u"3", "3", "", "", "", grid(5, 4), C::Digit},
    {"img_ziffer0", K::Digit, O::Equals, 0, u"0", "0", "", "", "", grid(6, 2), C::Digit},
    {"img_komma", K::Digit, O::Equals, DecimalKeyValue, u",.", ",", "", "", "Dezimalkomma",
     grid(6, 3), C::Digit},
    {"img_operator00_gleich", K::Operator, O::Equals, 0, kEnter, "=", "", "", "Ergebnis",
     grid(6, 4), C::Equals},

    {"spb_operator04_geteilt", K::Operator, O::Divide, 0, u"/", "÷", "", "", "Geteilt", grid(3, 5),
     C::Operator},
    {"spb_operator03_mal", K::Operator, O::Times, 0, u"*", "×", "", "", "Mal", grid(4, 5),
     C::Operator},
    {"spb_operator02_minus", K::Operator, O::Minus, 0, u"-", "−", "", "", "Minus", grid(5, 5),
     C::Operator},
    {"spb_operator01_plus", K::Operator, O::Plus, 0, u"+", "+", "", "", "Plus", grid(6, 5),
     C::Operator},

    {"img_fix",
     K::Fix,
     O::Equals,
     0,
     u"",
     "FIX",
     "",
     "",
     "Anzahl der Nachkommastellen",
     {kLeft, 66, 36, 22},
     C::Mode},
    {"img_deg", K::Angle, O::Equals, int(AngleMode::Degrees), u"", "", "", "", "", angleLamp(0),
     C::Mode},
    {"img_rad", K::Angle, O::Equals, int(AngleMode::Radians), u"", "", "", "", "", angleLamp(1),
     C::Mode},
    {"img_gra", K::Angle, O::Equals, int(AngleMode::Grads), u"", "", "", "", "", angleLamp(2),
     C::Mode},
    {"img_rechenstreifen_wechsel",
     K::Tape,
     O::Equals,
     0,
     u"",
     "Streifen",
     "",
     "",
     "",
     {288, 66, 70, 22},
     C::Mode},
    {"img_in", K::Memory, O::Equals, 0, u"", "MS", "", "", "Wert speichern", memoryKey(0),
     C::Function},
    {"img_out", K::Memory, O::Equals, 1, u"", "MR", "", "", "Wert auslesen", memoryKey(1),
     C::Function},
    {"img_clear", K::Memory, O::Equals, 2, u"", "MC", "", "", "Wert löschen", memoryKey(2),
     C::Function},
};

} // namespace

KeyFace KeypadKey::Face() const
{
    return KeyFace{QString::fromUtf8(face), QString::fromUtf8(superscript),
                   QString::fromUtf8(leadingSuperscript)};
}

std::span<const KeypadKey> KeypadKeys()
{
    return kKeys;
}

const KeypadKey* KeyNamed(QStringView objectName)
{
    for (const KeypadKey& key : kKeys)
        if (objectName == QLatin1String(key.objectName))
            return &key;
    return nullptr;
}

const KeypadKey* KeyTypedAs(char16_t typed)
{
    if (typed == KeyChar::None)
        return nullptr;
    for (const KeypadKey& key : kKeys)
        for (const char16_t* c = key.typed; *c; ++c)
            if (*c == typed)
                return &key;
    return nullptr;
}

ControlTexts KeypadControlTexts()
{
    using T = TextProperty;
    QList<ControlTexts::Entry> entries{
        {QStringLiteral("lbl_10hoch"), T::Caption, QStringLiteral("* 10^")},
        {QStringLiteral("lbl_deg"), T::Caption, QStringLiteral("Deg")},
        {QStringLiteral("lbl_rad"), T::Caption, QStringLiteral("Rad")},
        {QStringLiteral("lbl_gra"), T::Caption, QStringLiteral("Gra")},
        {QStringLiteral("img_speicher"), T::Caption, QStringLiteral("Speicher")},
        {QStringLiteral("edt_result_normal"), T::Hint, QStringLiteral("Rechenstreifen")},
        {QStringLiteral("edt_result"), T::Hint, QStringLiteral("Eingabe- und Kontrollfelder")},
        {QStringLiteral("edt_result10hoch"), T::Hint,
         QStringLiteral("Eingabe- und Kontrollfelder")},
        {QStringLiteral("sgr_memoryblock"), T::Hint, QStringLiteral("Speicherplätze")},
    };
    for (const KeypadKey& key : kKeys)
        if (*key.hint)
            entries.append(
                {QString::fromLatin1(key.objectName), T::Hint, QString::fromUtf8(key.hint)});
    return ControlTexts(std::move(entries));
}
