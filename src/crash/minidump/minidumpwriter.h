#pragma once

#include "crashcontext.h"

#include <cstdint>

// Writes a minidump of the crashed thread in Breakpad's Linux flavour into a
// new file: system information, the exception with the thread's registers,
// its stack, the module list and the process's /proc files. Allocates
// nothing and takes no lock, for use inside a signal handler. False when the
// file could not be created or written completely.
bool writeMinidump(const char *path, const CrashContext &crash, const SystemFacts &facts, std::uint64_t startTime);
