// Keeps the session's work across a restart: reads the state file once the main window is
// up and puts its values back, writes it when the program ends normally and, while values
// change, at most every 30 seconds (one single-shot timer armed by a change, no polling).
// A file that cannot be read is set aside as "state.broken" with a notice; a file that was
// never read is never written over.
#pragma once

#include "platform/state_file.h"
#include "shell/session_state.h"

#include <QObject>
#include <QTimer>

#include <functional>

class MainWindow;

class SessionKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int SaveDelayMs = 30000;

    SessionKeeper(MainWindow& window, StateFile file, bool enabled);

    // Reads the file and puts its values back; from then on changes are kept.
    void Restore();
    // A value changed: written with the next timer, at most every SaveDelayMs.
    void Changed();
    // Writes now (the program ends); nothing when off or when the file was not read.
    void SaveNow();
    // The check box "Beim Start letzte Sitzung wiederherstellen".
    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }

    // Adds chk_sitzung to the settings group gbo_einstellungen of the currency page once that
    // page has made its controls; a click switches keeping on or off and tells `saved`.
    // `translate` gives the new box the caption of the language shown.
    void AddCheckBox(std::function<void(bool)> saved, std::function<void(QWidget*)> translate);

    SessionState Collect() const;
    void Apply(const SessionState& state);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addCheckBoxNow();

    std::function<void(bool)> m_saved;
    std::function<void(QWidget*)> m_translate;
    MainWindow& m_window;
    StateFile m_file;
    bool m_enabled;
    bool m_keeping = false; // the file was read (or was not there): this session may write it
    QTimer m_timer;
};
