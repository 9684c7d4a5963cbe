// How a key face is written: a main text with an optional small raised text before it
// (the degree of a root) and after it (an exponent).
#pragma once

#include <QString>

struct KeyFace {
    QString text;
    QString superscript;
    QString leadingSuperscript;
};
