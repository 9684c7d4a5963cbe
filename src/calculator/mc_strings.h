// "MC_strings": the 65 general texts of the program (messages, legend words, hints),
// addressed by entry number. German is the default; the translation replaces them.
#pragma once

#include <QString>
#include <QStringList>

class McStrings {
public:
    static constexpr int Count = 65;

    McStrings();

    // The entry's text; empty for a number outside 0 … 64.
    QString Entry(int entry) const;
    void SetEntries(const QStringList& entries);

    static QStringList GermanDefaults();

private:
    QStringList m_entries;
};
