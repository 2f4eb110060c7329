#pragma once

#include "drawing/drawingnotes.h"

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

// Notes that a reader may make millions of times, counted in plain
// counters while it reads and handed to the drawing's notes once it is
// done, in the order first met: DrawingNotes looks a name up on every add.
template<std::size_t SlotCount>
class NoteTally
{
public:
    void count(std::size_t slot)
    {
        if (m_counts[slot]++ == 0)
            m_order.push_back(slot);
    }

    qint64 countOf(std::size_t slot) const { return m_counts[slot]; }

    // `describe(slot)` gives the kind and the name of a slot's note, as a
    // std::pair.
    template<typename Describe>
    void addTo(DrawingNotes &notes, Describe describe) const
    {
        for (const std::size_t slot : m_order) {
            const auto note = describe(slot);
            notes.add(note.first, note.second, m_counts[slot]);
        }
    }

private:
    std::array<qint64, SlotCount> m_counts{};
    std::vector<std::size_t> m_order;
};
