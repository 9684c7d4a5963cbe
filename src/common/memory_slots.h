// The twenty memory slots shared by the keypad and the formula page. A slot holds a number
// text with point decimals, or nothing. Values live for the program run only.
#pragma once

#include <QString>

#include <array>

class MemorySlots {
public:
    static constexpr int Count = 20;

    QString Value(int slot) const { return valid(slot) ? m_values[slot] : QString(); }
    void Store(int slot, const QString& text)
    {
        if (valid(slot))
            m_values[slot] = text;
    }
    void Clear(int slot) { Store(slot, QString()); }

private:
    static bool valid(int slot) { return slot >= 0 && slot < Count; }
    std::array<QString, Count> m_values;
};
