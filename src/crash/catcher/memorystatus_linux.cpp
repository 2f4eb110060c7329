#include "memorystatus.h"

#include "crash/signalsafe/signalsafelinereader.h"
#include "crash/signalsafe/signalsafetext.h"

#include <sys/resource.h>

namespace {

// The user half of the x86-64 address space with four-level paging.
constexpr std::uint64_t UserAddressSpace = std::uint64_t(1) << 47;

// The number of "Key:   1234 kB" lines, in kB.
bool readKilobytes(const char *line, std::size_t length, const char *key, std::uint64_t &value)
{
    const std::size_t keyLength = textLength(key);
    if (length < keyLength || !startsWith(line, key))
        return false;
    std::size_t at = keyLength;
    while (at < length && (line[at] == ' ' || line[at] == '\t'))
        ++at;
    value = 0;
    for (; at < length && line[at] >= '0' && line[at] <= '9'; ++at)
        value = value * 10 + static_cast<std::uint64_t>(line[at] - '0');
    return true;
}

// The value of one "Key: value kB" line of a /proc file, or 0.
std::uint64_t readProcKilobytes(const char *path, const char *key)
{
    SignalSafeLineReader file(path);
    const char *line = nullptr;
    std::size_t length = 0;
    std::uint64_t value = 0;
    while (file.nextLine(line, length)) {
        if (readKilobytes(line, length, key, value))
            return value;
    }
    return 0;
}

std::uint64_t addressSpaceLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < UserAddressSpace)
        return limit.rlim_cur;
    return UserAddressSpace;
}

} // namespace

MemoryStatus readMemoryStatus()
{
    MemoryStatus status;
    const std::uint64_t total = readProcKilobytes("/proc/meminfo", "MemTotal:");
    const std::uint64_t available = readProcKilobytes("/proc/meminfo", "MemAvailable:");
    if (total > 0 && available <= total)
        status.load = static_cast<std::uint32_t>((total - available) * 100 / total);
    const std::uint64_t used = readProcKilobytes("/proc/self/status", "VmSize:") * 1024;
    status.totalVirtual = addressSpaceLimit();
    status.availableVirtual = used < status.totalVirtual ? status.totalVirtual - used : 0;
    return status;
}
