#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <vector>

// The owner's serialised state, kept ready for the signal handler. Updates
// fill the buffer that is not published and then publish it, so the
// handler reads a complete copy without a lock. Once the handler has
// frozen the state, updates stop touching it.
class PreparedCrashState
{
public:
    void update(const char *bytes, std::size_t size);

    struct Bytes
    {
        const char *data;
        std::size_t size;
    };
    // For the handler: stops further updates and returns the last complete state.
    Bytes freeze();

private:
    std::mutex m_updating;
    std::vector<char> m_buffers[2];
    std::atomic<int> m_published{-1};
    std::atomic<bool> m_frozen{false};
};
