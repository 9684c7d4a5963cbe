// "MC_strings": the 65 general texts of the program (messages, legend words, hints),
// addressed by entry number. German is the default; the translation replaces them.
#pragma once

#include <QString>
#include <QStringList>

// A message the program shows in a box: its caption and text.
struct ProgramMessage {
    QString caption;
    QString text;
};

class McStrings {
public:
    static constexpr int Count = 65;
    // The prompt the expression line shows after the fix key.
    static constexpr int FixPrompt = 2;

    McStrings();

    // The entry's text; empty for a number outside 0 … 64.
    QString Entry(int entry) const;
    void SetEntries(const QStringList& entries);

    static QStringList GermanDefaults();

    // "Some program files could not be found …" followed by the digit that tells which.
    ProgramMessage MissingFilesMessage(int code) const;

private:
    QStringList m_entries;
};
