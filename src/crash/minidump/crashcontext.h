#pragma once

#include <cstdint>

// What the signal handler knows about the crash it is handling.
struct CrashContext
{
    int signal = 0;
    // The signal's cause (si_code): negative or zero when it was sent by a
    // process rather than raised by a faulting instruction.
    int code = 0;
    // The faulting data address for memory faults, else the instruction.
    std::uint64_t faultAddress = 0;
    std::uint64_t instructionAddress = 0;
    std::uint64_t stackPointer = 0;
    std::int64_t processId = 0;
    std::int64_t threadId = 0;
    // The platform's register state of the crashed thread (ucontext_t).
    const void *machineContext = nullptr;
};

// What is gathered about the machine once, at installation, so that the
// handler only copies it.
struct SystemFacts
{
    std::uint32_t cpuVendor[3] = {};
    std::uint32_t cpuVersion = 0;
    std::uint32_t cpuFeatures = 0;
    std::uint32_t cpuExtendedFeatures = 0;
    std::uint16_t cpuFamily = 0;
    std::uint16_t cpuModelAndStepping = 0;
    std::uint8_t processorCount = 0;
    std::uint32_t osVersion[3] = {};
    char osDescription[512] = {};
};

SystemFacts collectSystemFacts();
