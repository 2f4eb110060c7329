#include "largeblocks.h"

#include <cstdint>
#include <sys/mman.h>

void *allocateLargeBlock(std::size_t bytes)
{
    // Map twice the size and give back what lies outside the aligned block.
    const std::size_t mapped = 2 * bytes;
    void *area = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area == MAP_FAILED)
        return nullptr;
    const auto start = reinterpret_cast<std::uintptr_t>(area);
    const std::uintptr_t aligned = (start + bytes - 1) & ~std::uintptr_t(bytes - 1);
    if (aligned > start)
        ::munmap(area, aligned - start);
    const std::uintptr_t end = start + mapped;
    if (end > aligned + bytes)
        ::munmap(reinterpret_cast<void *>(aligned + bytes), end - (aligned + bytes));
    void *block = reinterpret_cast<void *>(aligned);
    // Only a hint: without transparent huge pages the block works the same.
    ::madvise(block, bytes, MADV_HUGEPAGE);
    return block;
}

void freeLargeBlock(void *block, std::size_t bytes)
{
    if (block)
        ::munmap(block, bytes);
}
