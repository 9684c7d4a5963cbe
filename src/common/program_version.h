// The program's version as the report, the update check and the about texts write it.
#pragma once

#include <QString>

// The program's version as "major.minor.release", with ".build" when asked; missing numbers
// count as 0.
QString FileVersionText(const QString& version, bool withBuild);
// The same for this build's version.
QString ProgramVersionText(bool withBuild);
