// The program folder (the executable's folder, where every delivered file lies) and the
// one helper that turns the Windows-style relative paths of the data ("images\on1.cc1")
// into paths inside it.
#pragma once

#include <QString>

namespace ProgramFolder {

// An empty path means the executable's folder.
void SetPath(const QString& path);
QString Path();

// The user's own data folder (what the program writes: the rate file). The program folder
// may not be writable for the user; this one always is. An empty path means the system's
// application-data folder for the user.
void SetUserDataPath(const QString& path);
QString UserDataPath();

// "images\on1.cc1" → "<program folder>/images/on1.cc1". Each part that does not exist
// with the exact case is looked up without regard to case, as Windows would find it.
QString FilePath(const QString& windowsRelativePath);

// The same, inside any folder.
QString ResolveIn(const QString& folder, const QString& windowsRelativePath);

} // namespace ProgramFolder
