#include "keypad_layout.h"

namespace {

using K = KeyKind;
using C = KeyColour;

KeyFace f(const char* text, const char* sup = "", const char* lead = "")
{
    return KeyFace{QString::fromUtf8(text), QString::fromUtf8(sup), QString::fromUtf8(lead)};
}

} // namespace

std::span<const KeypadKey> KeypadKeys()
{
    // Three rows of functions, then the digit block with the functions left of it and the
    // basic operators right of it.
    static const KeypadKey keys[] = {
        {"img_hyp", f("hyp"), "Hyperbolische Funktion", 0, 0, K::Hyp, 0, C::Function},
        {"img_constpi", f("π"), "Kreiszahl Pi", 0, 1, K::Pi, 0, C::Function},
        {"img_conste", f("e"), "Eulersche Zahl e", 0, 2, K::E, 0, C::Function},
        {"img_klammer0auf", f("("), "Klammer auf", 0, 3, K::Paren, 0, C::Function},
        {"img_klammer1zu", f(")"), "Klammer zu", 0, 4, K::Paren, 0, C::Function},
        {"jmg_clear", f("C"), "Rechnung löschen", 0, 5, K::Clear, 0, C::Clear},

        {"img_operator09_sin", f("sin"), "Sinus", 1, 0, K::Operator, 0, C::Function},
        {"img_operator10_cos", f("cos"), "Kosinus", 1, 1, K::Operator, 0, C::Function},
        {"img_operator11_tan", f("tan"), "Tangens", 1, 2, K::Operator, 0, C::Function},
        {"img_operator12_cot", f("cot"), "Kotangens", 1, 3, K::Operator, 0, C::Function},
        {"img_operator20_1durchx", f("1/x"), "Kehrwert", 1, 4, K::Operator, 0, C::Function},
        {"img_operator26_prozent", f("%"), "Prozent", 1, 5, K::Operator, 0, C::Function},

        {"img_operator16_arcsin", f("sin", "-1"), "Arkussinus", 2, 0, K::Operator, 0, C::Function},
        {"img_operator17_arccos", f("cos", "-1"), "Arkuskosinus", 2, 1, K::Operator, 0,
         C::Function},
        {"img_operator18_arctan", f("tan", "-1"), "Arkustangens", 2, 2, K::Operator, 0,
         C::Function},
        {"img_operator19_arccot", f("cot", "-1"), "Arkuskotangens", 2, 3, K::Operator, 0,
         C::Function},
        {"img_operator21_fakultaet", f("n!"), "Fakultät", 2, 4, K::Operator, 0, C::Function},
        {"img_plus_minus", f("±"), "Vorzeichen wechseln", 2, 5, K::Sign, 0, C::Function},

        {"img_operator05_quadrat", f("x", "2"), "Quadrat", 3, 0, K::Operator, 0, C::Function},
        {"img_operator06_wurzel", f("√x"), "Quadratwurzel", 3, 1, K::Operator, 0, C::Function},
        {"img_operator07_xhochy", f("x", "y"), "x hoch y", 4, 0, K::Operator, 0, C::Function},
        {"img_operator08_xwurzel", f("√x", "", "y"), "y-te Wurzel aus x", 4, 1, K::Operator, 0,
         C::Function},
        {"img_operator15_ln", f("ln"), "Natürlicher Logarithmus", 5, 0, K::Operator, 0,
         C::Function},
        {"img_operator22_ehochx", f("e", "x"), "e hoch x", 5, 1, K::Operator, 0, C::Function},
        {"img_operator13_log2", f("log2"), "Logarithmus zur Basis 2", 6, 0, K::Operator, 0,
         C::Function},
        {"img_operator14_log10", f("log10"), "Zehnerlogarithmus", 6, 1, K::Operator, 0,
         C::Function},

        {"img_ziffer7", f("7"), "", 3, 2, K::Digit, 7, C::Digit},
        {"img_ziffer8", f("8"), "", 3, 3, K::Digit, 8, C::Digit},
        {"img_ziffer9", f("9"), "", 3, 4, K::Digit, 9, C::Digit},
        {"img_ziffer4", f("4"), "", 4, 2, K::Digit, 4, C::Digit},
        {"img_ziffer5", f("5"), "", 4, 3, K::Digit, 5, C::Digit},
        {"img_ziffer6", f("6"), "", 4, 4, K::Digit, 6, C::Digit},
        {"img_ziffer1", f("1"), "", 5, 2, K::Digit, 1, C::Digit},
        {"img_ziffer2", f("2"), "", 5, 3, K::Digit, 2, C::Digit},
        {"img_ziffer3", f("3"), "", 5, 4, K::Digit, 3, C::Digit},
        {"img_ziffer0", f("0"), "", 6, 2, K::Digit, 0, C::Digit},
        {"img_komma", f(","), "Dezimalkomma", 6, 3, K::Digit, 10, C::Digit},
        {"img_operator00_gleich", f("="), "Ergebnis", 6, 4, K::Operator, 0, C::Equals},

        {"spb_operator04_geteilt", f("÷"), "Geteilt", 3, 5, K::Operator, 0, C::Operator},
        {"spb_operator03_mal", f("×"), "Mal", 4, 5, K::Operator, 0, C::Operator},
        {"spb_operator02_minus", f("−"), "Minus", 5, 5, K::Operator, 0, C::Operator},
        {"spb_operator01_plus", f("+"), "Plus", 6, 5, K::Operator, 0, C::Operator},
    };
    return keys;
}

int OperatorNumberOf(const QString& objectName)
{
    bool ok = false;
    const int op = objectName.mid(12, 2).toInt(&ok);
    return ok ? op : -1;
}

bool IsOpeningParen(const QString& objectName)
{
    return objectName.size() > 11 && objectName[11] == u'0';
}
