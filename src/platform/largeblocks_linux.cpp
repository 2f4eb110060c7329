#include "largeblocks.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

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

void populateLargeBlock(void *block, std::size_t bytes)
{
#ifdef MADV_POPULATE_WRITE
    if (::madvise(block, bytes, MADV_POPULATE_WRITE) == 0)
        return;
#endif
    // Older kernels: one write per page does the same.
    const long page = ::sysconf(_SC_PAGESIZE);
    auto *bytesOfBlock = static_cast<volatile char *>(block);
    for (std::size_t offset = 0; offset < bytes; offset += std::size_t(page))
        bytesOfBlock[offset] = 0;
}

void freeLargeBlock(void *block, std::size_t bytes)
{
    if (block)
        ::munmap(block, bytes);
}

std::size_t physicalMemoryBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageBytes = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageBytes > 0 ? std::size_t(pages) * std::size_t(pageBytes) : 0;
}
