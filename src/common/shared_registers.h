// What the keypad shares with the formula page: the display's number format (decimals, angle
// mode) and the twenty memory registers, with the keys a memory grid passes on.
#pragma once

#include "common/calc_display.h"
#include "common/memory_slots.h"

class SharedRegisters {
public:
    virtual CalcDisplay& Display() = 0;
    virtual MemorySlots& Memory() = 0;
    // Ctrl+C / Ctrl+V in a memory grid on the slot selected there; true when handled.
    virtual bool MemoryGridKey(int slot, char16_t key) = 0;

protected:
    ~SharedRegisters() = default;
};
