#include "crashcontext.h"
#include "crash/signalsafe/signalsafetext.h"

#include <cpuid.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

void collectCpu(SystemFacts &facts)
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(0, &eax, &ebx, &ecx, &edx))
        return;
    facts.cpuVendor[0] = ebx;
    facts.cpuVendor[1] = edx;
    facts.cpuVendor[2] = ecx;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        facts.cpuVersion = eax;
        facts.cpuFeatures = edx;
        unsigned family = (eax >> 8) & 0xf;
        unsigned model = (eax >> 4) & 0xf;
        if (family == 0x6 || family == 0xf)
            model |= ((eax >> 16) & 0xf) << 4;
        if (family == 0xf)
            family += (eax >> 20) & 0xff;
        facts.cpuFamily = static_cast<std::uint16_t>(family);
        facts.cpuModelAndStepping = static_cast<std::uint16_t>((model << 8) | (eax & 0xf));
    }
    if (__get_cpuid(0x80000001, &eax, &ebx, &ecx, &edx))
        facts.cpuExtendedFeatures = ebx;
}

// "6.1.0-28-amd64" gives 6, 1 and 0.
void parseKernelRelease(const char *release, std::uint32_t version[3])
{
    for (int part = 0; part < 3; ++part) {
        std::uint32_t value = 0;
        while (*release >= '0' && *release <= '9')
            value = value * 10 + static_cast<std::uint32_t>(*release++ - '0');
        version[part] = value;
        if (*release != '.')
            break;
        ++release;
    }
}

void collectOperatingSystem(SystemFacts &facts)
{
    utsname names{};
    if (::uname(&names) != 0)
        return;
    parseKernelRelease(names.release, facts.osVersion);
    SignalSafeText description(facts.osDescription, sizeof facts.osDescription);
    description.append(names.release).append(" ").append(names.version).append(" ").append(names.machine);
}

} // namespace

SystemFacts collectSystemFacts()
{
    SystemFacts facts;
    collectCpu(facts);
    collectOperatingSystem(facts);
    const long processors = ::sysconf(_SC_NPROCESSORS_ONLN);
    facts.processorCount = static_cast<std::uint8_t>(processors < 1 ? 1 : processors > 255 ? 255 : processors);
    return facts;
}
