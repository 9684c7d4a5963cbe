// The program's settings: one table of keys with their types and defaults. Every access opens
// the store, reads or writes one value and closes it again, as the callers expect: the
// registry key Software\Drevion\Quorvanta on Windows, the INI file
// ~/.config/Drevion/Quorvanta.conf elsewhere, or any INI file (tests, the driver). Only the
// defaults found missing at start wait, for the next write or for WritePendingDefaults.
//
// Nothing here throws or stops the program: a read that fails gives nothing, a write that
// fails says so. A file that cannot be read or parsed is never written over, so a bad value
// never costs the others; a file without any write permission is left alone even by a user
// who could write it regardless.
#pragma once

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>
#include <vector>

class QSettings;

class SettingsStore {
public:
    enum class Key {
        SearchNewVersion, // boolean, default true: the update check runs
        AutoUpdate,       // boolean, default true: the rates are fetched at every start
        AlwaysOnTop,      // boolean, default true
        AutoStart,        // boolean, default true
        BannerCount,      // integer, default 0: the most banner files ever seen
        FirstStart,       // any type: present after an installation, deleted at the next start
        Language,         // text: "Deutsch", "English" or "Polski"
        ProxyEnable,      // Internet settings: boolean (or 4 bytes on Windows)
        ProxyServer,      // Internet settings: text ("http=a:80;socks=b:1080")
        UpdateHost,       // text: base address of the update host; missing: none
        ReferenceRates,   // text: address of the reference-rate XML; missing: the central bank's
        ReportHost,       // text: base address of the report host; missing: this machine
        TransferTimeout,  // integer, milliseconds without data before a transfer ends
        RestoreSession,   // boolean, missing means true: the last session comes back at start
    };

    // The user's own settings.
    SettingsStore();
    // An INI file; Internet settings go into its group [InternetSettings].
    explicit SettingsStore(const QString& iniFile);
    ~SettingsStore();

    // The settings file; empty for the registry.
    QString FileName() const { return m_file; }

    // The store can be opened: its file is readable, or can be made.
    bool CanOpen() const;
    bool Contains(Key key) const;
    std::optional<bool> Bool(Key key) const;
    std::optional<int> Integer(Key key) const;
    std::optional<QString> Text(Key key) const;

    // Each returns whether the value was written. Booleans are written as 0 or 1.
    bool SetBool(Key key, bool value);
    bool SetInteger(Key key, int value);
    bool SetText(Key key, const QString& value);
    bool Remove(Key key);

    // Finds the default of every value that has one and is missing. Reads give them at once;
    // they reach the file with the next write or with WritePendingDefaults, so that the start
    // does not wait for the disk. Returns false when the first of them, "SearchNewVersion", is
    // missing and the file cannot be written: the store then takes no writes, and what needs
    // them is not offered.
    bool FindMissingDefaults();
    // Writes what FindMissingDefaults found and is still missing; also done by the next
    // write and when the store goes. False when the file could not be written.
    bool WritePendingDefaults();

private:
    std::optional<QVariant> read(Key key) const;
    bool write(Key key, const std::optional<QVariant>& value); // nullopt removes
    std::unique_ptr<QSettings> open(Key key) const;
    bool fileReadable() const;
    bool fileWritable() const;
    void putPendingDefaults(QSettings& settings, Key written);

    QString m_file; // empty: the Windows registry
    std::vector<Key> m_pendingDefaults;
};
