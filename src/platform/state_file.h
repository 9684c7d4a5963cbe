// The state file in the user's data folder ("state.txt"). Written whole through a temporary
// file and a rename, so that an ended or crashed write leaves the old file; a file that
// cannot be read is set aside as "state.broken" beside it, never written over unread.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Writes `bytes` as the whole of `path` through a temporary file and a rename.
bool WriteFileWhole(const QString& path, const QByteArray& bytes);

// How the system ends a line of a text file the user opens elsewhere: CR LF on Windows.
inline QString NativeLineEnd()
{
#ifdef Q_OS_WIN
    return QStringLiteral("\r\n");
#else
    return QStringLiteral("\n");
#endif
}

class StateFile {
public:
    // The user's data folder.
    StateFile();
    // Any folder (tests).
    explicit StateFile(const QString& folder);

    QString Path() const;
    QString BrokenPath() const;

    enum class Presence { Missing, Present, Unreadable };
    struct Content {
        Presence presence = Presence::Missing;
        QByteArray bytes;
    };
    Content Read() const;
    // Makes the folder when needed; false when the file could not be written (the old one stays).
    bool Write(const QByteArray& bytes) const;
    // Renames the file to "state.broken", replacing an older one. False when it stays.
    bool SetAside() const;

private:
    QString m_folder;
};
