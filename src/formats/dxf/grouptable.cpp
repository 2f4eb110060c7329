#include "grouptable.h"

DxfGroupTable::DxfGroupTable()
    : m_slots(size)
{
}

void DxfGroupTable::set(int code, const DxfText &value)
{
    Q_ASSERT(code >= 0 && code < size);
    Slot &slot = m_slots[std::size_t(code)];
    slot.text.assign(value.begin, value.end);
    slot.ascii = value.ascii;
    slot.generation = m_generation;
}

DxfText DxfGroupTable::value(int code) const
{
    Q_ASSERT(code >= 0 && code < size);
    const Slot &slot = m_slots[std::size_t(code)];
    if (slot.generation != m_generation)
        return DxfText{};
    const char *data = slot.text.data();
    return DxfText{data, data + slot.text.size(), slot.ascii};
}
