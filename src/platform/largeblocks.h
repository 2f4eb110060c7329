#pragma once

#include <cstddef>

// Memory for big arrays that are filled front to back, such as the point
// records of a drawing: the block is aligned to its own size and backed by
// huge pages where the system offers them, which spares the kernel hundreds
// of page faults per block. `bytes` must be a power of two.
//
// Returns null when the memory cannot be had.
void *allocateLargeBlock(std::size_t bytes);
void freeLargeBlock(void *block, std::size_t bytes);

// Has the system back the whole block with memory now, so that the first
// writes into it find it ready.
void populateLargeBlock(void *block, std::size_t bytes);

// The machine's physical memory in bytes; 0 when the system does not say.
std::size_t physicalMemoryBytes();
