// The work of a session that outlives a restart: the memory slots, the tape, the decimals,
// the angle mode, the page, the formula chosen on each formula tab, the window's place and
// whether the tape was shown. The settings hold choices; this holds work, in a state file of
// its own in the user's data folder (the file itself is the platform's StateFile).
//
// The file is UTF-8 text: a version line "Quorvanta state N", then one "key=value" per line.
// Tape lines are one "tape=" line each, in order, with "\" and line breaks escaped. A reader
// skips the keys it does not know, so a file from a newer version is read as far as it is
// understood; a file of this version or older with a value that cannot be read is broken.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

struct SessionState {
    static constexpr int FormatVersion = 1;
    static constexpr int SlotCount = 20;
    // Older lines are dropped when the file is written, so that a tape kept for days stays small.
    static constexpr qsizetype KeptTapeLines = 10000;

    std::array<QString, SlotCount> memory; // number texts with point decimals, or empty
    QStringList tape;
    int fixDecimals = 9;       // -1 free, 0 … 9
    int angleMode = 0;         // 0 degrees, 1 radians, 2 grads
    int page = 0;              // index of pco_main
    std::vector<int> formulas; // the formula chosen on each formula tab, in tab order
    std::optional<QPoint> windowPosition;
    bool tapeShown = false;

    bool operator==(const SessionState&) const = default;
};

enum class SessionReadStatus {
    Read,   // every line understood
    Newer,  // a newer format: what is understood was taken, the rest skipped
    Broken, // not a state file, or a value that cannot be read: nothing taken
};

struct SessionReadResult {
    SessionReadStatus status = SessionReadStatus::Broken;
    SessionState state;
};

QByteArray WriteSessionState(const SessionState& state);
SessionReadResult ReadSessionState(const QByteArray& bytes);
