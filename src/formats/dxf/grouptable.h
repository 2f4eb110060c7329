#pragma once

#include "text.h"

#include <QtGlobal>

#include <string>
#include <vector>

// The values of the entity being read, one slot per group code; a later
// group with the same code replaces the earlier value.
//
// Files have millions of entities and each uses a handful of the 1100
// codes, so emptying the table must not touch every slot: each slot
// remembers the generation it was written in, and clear() starts a new one.
class DxfGroupTable
{
public:
    static constexpr int size = 1100;

    DxfGroupTable();

    void set(int code, const DxfText &value);
    bool has(int code) const { return m_slots[std::size_t(code)].generation == m_generation; }
    // The value of a code, empty when the entity has none.
    DxfText value(int code) const;
    double number(int code, double fallback = 0) const { return dxfNumber(value(code), fallback); }
    int integer(int code, int fallback) const { return dxfInteger(value(code), fallback); }

    // Empties every slot in constant time.
    void clear() { ++m_generation; }

private:
    struct Slot
    {
        std::string text;
        quint64 generation = 0;
        bool ascii = true;
    };

    std::vector<Slot> m_slots;
    quint64 m_generation = 1;
};
