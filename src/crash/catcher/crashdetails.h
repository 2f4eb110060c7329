#pragma once

#include "memorystatus.h"

#include <cstddef>
#include <cstdint>

// The values of the details file that the crash reporter reads beside the
// minidump.
struct CrashDetails
{
    // The owner's serialised log, written raw after its length.
    const char *stateBytes = nullptr;
    std::size_t stateSize = 0;
    std::uint64_t activeWindow = 0;
    std::uint64_t startTime = 0;
    std::int64_t processId = 0;
    std::int64_t threadId = 0;
    MemoryStatus memory;
    std::uint64_t exceptionAddress = 0;
    int signal = 0;
    int code = 0;
};

// Creates the file at path: the state length, the state bytes, then one
// value a line (line feeds only), the signal and its cause standing in the
// exception code and flags. Allocates nothing; false when the file could
// not be created or written completely.
bool writeCrashDetails(const char *path, const CrashDetails &details);
