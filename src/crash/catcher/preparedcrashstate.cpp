#include "preparedcrashstate.h"

void PreparedCrashState::update(const char *bytes, std::size_t size)
{
    const std::lock_guard<std::mutex> lock(m_updating);
    // Frozen is checked before the spare buffer is touched and the handler
    // freezes before it reads which buffer is published, so the buffer it
    // reads is never written again.
    if (m_frozen.load())
        return;
    const int spare = m_published.load() == 0 ? 1 : 0;
    m_buffers[spare].assign(bytes, bytes + size);
    m_published.store(spare);
}

PreparedCrashState::Bytes PreparedCrashState::freeze()
{
    m_frozen.store(true);
    const int published = m_published.load();
    if (published < 0)
        return Bytes{"", 0};
    return Bytes{m_buffers[published].data(), m_buffers[published].size()};
}
