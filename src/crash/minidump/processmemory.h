#pragma once

#include <cstddef>
#include <cstdint>

// Copies memory of this process that may not be mapped or readable: fails
// instead of faulting. Usable inside a signal handler.
bool readOwnMemory(void *destination, std::uint64_t address, std::size_t size);
