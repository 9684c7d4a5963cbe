// Writes the angle-mode indicator bitmaps delivered beside the program:
//   make_indicators DIR   →   DIR/on1.cc1 (a lit lamp), DIR/off1.cc1 (an unlit one)
// Both are plain Windows bitmaps, 14 × 14 pixels.
#include "calculator/indicator_lamp.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: make_indicators DIR\n", stderr);
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const bool ok = DrawIndicatorLamp(true).save(dir + QStringLiteral("/on1.cc1"), "BMP") &&
                    DrawIndicatorLamp(false).save(dir + QStringLiteral("/off1.cc1"), "BMP");
    if (!ok) {
        std::fprintf(stderr, "cannot write the indicators into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
