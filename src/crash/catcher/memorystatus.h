#pragma once

#include <cstdint>

// The figures of the details file about memory; zeros when unknown.
struct MemoryStatus
{
    // Percent of the physical memory in use.
    std::uint32_t load = 0;
    // The address space this process may use, and what of it is still free.
    std::uint64_t totalVirtual = 0;
    std::uint64_t availableVirtual = 0;
};

// Reads /proc; usable inside a signal handler.
MemoryStatus readMemoryStatus();
