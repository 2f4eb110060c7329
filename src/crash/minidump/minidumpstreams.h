#pragma once

#include <cstddef>
#include <cstdint>

class SignalSafeFile;

// Where a piece of the minidump lies in the file.
struct MinidumpLocation
{
    std::uint32_t size = 0;
    std::uint32_t rva = 0;
};

// The pieces of a minidump that stand on their own; each appends to the
// file and returns where it went. All are usable inside a signal handler.

// A MINIDUMP_STRING: the UTF-8 text as UTF-16 with its byte count.
MinidumpLocation writeMinidumpString(SignalSafeFile &file, const char *utf8, std::size_t length);
// The module list of this process, from /proc/self/maps and the modules'
// GNU build ids.
MinidumpLocation writeModuleListStream(SignalSafeFile &file);
// The memory info list: every mapping of /proc/self/maps with its access.
MinidumpLocation writeMemoryInfoListStream(SignalSafeFile &file);
// The x86-64 register state of the crashed thread (a ucontext_t).
MinidumpLocation writeAmd64Context(SignalSafeFile &file, const void *machineContext);
