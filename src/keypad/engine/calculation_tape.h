// The calculation tape as lines of text, like the paper strip of an adding machine. The
// tape window, printing and the tests all read these lines.
//
// The tape only grows at its end or changes its last line, so it tells its window what
// changed since the window last looked (TakeChange): a key costs the same with a long tape
// as with a short one.
#pragma once

#include <QStringList>

#include <algorithm>

class CalculationTape {
public:
    // Lines from `from` on are new or changed; `cleared`: every line shown before is gone.
    struct Change {
        bool cleared = false;
        qsizetype from = 0;
        bool operator==(const Change&) const = default;
    };

    const QStringList& Lines() const { return m_lines; }

    // Appends to the last line, or starts the first line of an empty tape.
    void TapeAppend(const QString& text)
    {
        if (m_lines.isEmpty()) {
            m_lines.append(text);
        } else {
            m_lines.last().append(text);
            changed(m_lines.size() - 1);
        }
    }
    void TapeNewLine(const QString& text) { m_lines.append(text); }
    void Clear()
    {
        m_lines.clear();
        m_change = {true, 0};
    }
    // The whole tape anew (a restored session).
    void SetLines(const QStringList& lines)
    {
        m_lines = lines;
        m_change = {true, 0};
    }
    QString Text() const { return m_lines.join(u'\n'); }
    // The tape as a text file: UTF-8, `dateLine` first, every line ended by `lineEnd`.
    QByteArray FileText(const QString& dateLine, const QString& lineEnd) const
    {
        QString text = dateLine + lineEnd;
        for (const QString& line : m_lines)
            text += line + lineEnd;
        return text.toUtf8();
    }

    // What changed since the last call; the next call starts from here.
    Change TakeChange()
    {
        const Change change{m_change.cleared, std::min(m_change.from, m_lines.size())};
        m_change = {false, m_lines.size()};
        return change;
    }

private:
    void changed(qsizetype line) { m_change.from = std::min(m_change.from, line); }

    QStringList m_lines;
    Change m_change;
};
