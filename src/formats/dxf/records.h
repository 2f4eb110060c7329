#pragma once

#include <array>
#include <cstddef>
#include <vector>

// A repeated group of an entity (polyline vertices, spline knots, control
// points): records of `Fields` numbers, filled in file order up to the count
// the file announced.
//
// The announced count is not trusted with memory: records are kept only as
// they arrive, and the ones announced but never given read as zeros.
// Records beyond the count land in the last one.
template<int Fields>
class DxfRecords
{
public:
    using Record = std::array<double, Fields>;

    void announce(int count)
    {
        m_count = count;
        m_index = -1;
        m_overflowed = false;
        m_records.clear();
    }

    // Moves on to the next record; false once the announced count is used
    // up, so that further groups land in the last record.
    bool advance()
    {
        if (m_index + 1 >= m_count) {
            m_overflowed = true;
            return false;
        }
        ++m_index;
        if (std::size_t(m_index) == m_records.size())
            m_records.push_back(Record{});
        return true;
    }

    void set(int field, double value)
    {
        if (m_index >= 0 && m_index < m_count)
            m_records[std::size_t(m_index)][std::size_t(field)] = value;
    }

    int count() const { return m_count; }
    // Whether more records came than the count announced.
    bool overflowed() const { return m_overflowed; }
    // Records that arrived; the rest of the announced count are zeros.
    int filled() const { return int(m_records.size()); }
    Record at(int i) const { return i < filled() ? m_records[std::size_t(i)] : Record{}; }
    double value(int i, int field) const { return at(i)[std::size_t(field)]; }

private:
    std::vector<Record> m_records;
    int m_count = 0;
    int m_index = -1;
    bool m_overflowed = false;
};
