// What the error report tells about the machine and the loaded modules, as the platform layer
// collects it.
#pragma once

#include <QString>

struct SystemFacts {
    QString osName;    // "Debian GNU/Linux 12 (bookworm)"
    QString osEdition; // kernel type and version
    int majorVersion = 0;
    int minorVersion = 0;
    quint32 build = 0;
    QString servicePack;
    QString cpuVendor;
    QString cpuName;
    int cpuMhz = 0;
    QString cpuFeatures;
    qint64 memoryTotalMb = 0;
    qint64 memoryFreeMb = 0;
    int screenWidth = 0;
    int screenHeight = 0;
    int bitsPerPixel = 0;
};

struct ModuleFact {
    quintptr base = 0;
    quintptr preferredBase = 0; // differs from base when the module was moved
    QString path;
    QString version; // empty when the module has none
    QString description;
};
