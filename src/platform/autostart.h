// Starting with the desktop: the XDG autostart entry quorvanta.desktop in the user's autostart
// folder, or the value "Quorvanta" of the Run key on Windows. Either runs the executable
// hidden ("WinStart").
#pragma once

#include <QString>

// The autostart command: the executable's path in quotes, one blank, "WinStart".
QString AutostartCommand(const QString& executable);
// The whole XDG autostart entry that runs `executable` hidden at log-in.
QString AutostartDesktopEntry(const QString& executable);

class Autostart {
public:
    // The user's own autostart folder ($XDG_CONFIG_HOME/autostart) or Run key.
    Autostart();
    // Entries in `folder` (tests, the driver); also on Windows.
    explicit Autostart(const QString& folder);

    // Returns whether the entry was written or removed; failures change nothing else.
    bool Enable(const QString& executable);
    bool Disable();

    // Windows starts the program with Windows (the Run key); other desktops with the
    // user's login (the autostart folder). The settings box says which.
    static constexpr bool StartsWithWindows()
    {
#ifdef Q_OS_WIN
        return true;
#else
        return false;
#endif
    }

    // Whether the entry is there, whoever wrote it.
    bool Exists() const;

    // The entry's file; empty for the Run key.
    QString EntryFile() const;

    // Windows: deletes the value "Quorvanta" of the machine's Run key, left by old
    // installations; errors are ignored. Elsewhere nothing: the system's autostart folder
    // belongs to the system's packages.
    static void RemoveMachineEntry();

private:
    QString m_folder; // empty: the Run key
};
