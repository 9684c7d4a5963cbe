// A fatal signal (segmentation fault, abort, ...) cannot show a window: the handler writes the
// report into a crash file in the user's data folder, and the next start shows it.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// "crash-report.txt" in the user's data folder of the program.
QString DefaultCrashFilePath();
// Catches the fatal signals and writes their report to `path`; the path is kept as bytes, as
// the handler may not allocate.
void InstallCrashHandler(const QString& path);
// Gives the fatal signals back to the system.
void RemoveCrashHandler();
// The crash file's contents, when a crash left one.
std::optional<QByteArray> ReadCrashFile(const QString& path);
