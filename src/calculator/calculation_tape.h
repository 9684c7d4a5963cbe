// The calculation tape as lines of text, like the paper strip of an adding machine. The
// tape window, printing and the tests all read these lines.
#pragma once

#include <QStringList>

class CalculationTape {
public:
    const QStringList& Lines() const { return m_lines; }

    // Appends to the last line, or starts the first line of an empty tape.
    void TapeAppend(const QString& text)
    {
        if (m_lines.isEmpty())
            m_lines.append(text);
        else
            m_lines.last().append(text);
    }
    void TapeNewLine(const QString& text) { m_lines.append(text); }
    void Clear() { m_lines.clear(); }
    QString Text() const { return m_lines.join(u'\n'); }

private:
    QStringList m_lines;
};
