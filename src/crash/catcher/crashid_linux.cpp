#include "crashid.h"

#include "crash/signalsafe/signalsafetext.h"

#include <cstdint>
#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Without the kernel's generator: the time, the process and the thread,
// stirred; enough to keep two crashes apart.
void fillFromClock(unsigned char bytes[16])
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::uint64_t state = static_cast<std::uint64_t>(now.tv_sec) * 1000000007u + static_cast<std::uint64_t>(now.tv_nsec);
    state ^= static_cast<std::uint64_t>(::getpid()) << 32 ^ static_cast<std::uint64_t>(::syscall(SYS_gettid));
    for (int i = 0; i < 16; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        bytes[i] = static_cast<unsigned char>(state >> 56);
    }
}

void fillRandom(unsigned char bytes[16])
{
    const long got = ::syscall(SYS_getrandom, bytes, 16, 0x1 /* GRND_NONBLOCK */);
    if (got != 16)
        fillFromClock(bytes);
}

} // namespace

void appendCrashId(SignalSafeText &text)
{
    unsigned char bytes[16];
    fillRandom(bytes);
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0f) | 0x40);
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3f) | 0x80);
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            text.append("-");
        text.appendHex(bytes[i], 2);
    }
}
