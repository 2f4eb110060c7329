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

    // The number of a code, `fallback` when the entity has none. A value
    // that is there but is no number also gives `fallback`, and the table
    // remembers it: an entity must not be drawn with a number it never had.
    double number(int code, double fallback = 0) const
    {
        double result = fallback;
        if (has(code) && !readDxfNumber(value(code), result)) {
            m_unreadableNumber = true;
            result = fallback;
        }
        return result;
    }
    int integer(int code, int fallback) const
    {
        int result = fallback;
        if (has(code) && !readDxfInteger(value(code), result)) {
            m_unreadableNumber = true;
            result = fallback;
        }
        return result;
    }

    // Whether a number of the entity could not be read, by the reads above
    // or by the reader's own collecting of its repeated groups.
    bool heldUnreadableNumber() const { return m_unreadableNumber; }
    void markUnreadableNumber() { m_unreadableNumber = true; }

    // Empties every slot in constant time.
    void clear()
    {
        ++m_generation;
        m_unreadableNumber = false;
    }

private:
    struct Slot
    {
        std::string text;
        quint64 generation = 0;
        bool ascii = true;
    };

    std::vector<Slot> m_slots;
    quint64 m_generation = 1;
    // Reading stays const for the code that draws an entity; what it could
    // not read is the one thing that reading leaves behind.
    mutable bool m_unreadableNumber = false;
};
