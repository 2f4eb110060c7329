#pragma once

#include "crash/signalsafe/signalsafelinereader.h"

#include <cstddef>
#include <cstdint>

// One line of /proc/<pid>/maps: an address range and what is mapped there.
struct ProcessMapping
{
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::uint64_t offset = 0;
    std::uint64_t inode = 0;
    bool readable = false;
    bool writable = false;
    bool executable = false;
    bool shared = false;
    // The file or the kernel's name ("[stack]"); empty for anonymous memory.
    // Points into the parsed line.
    const char *name = "";
    std::size_t nameLength = 0;
};

// Reads "start-end perms offset major:minor inode   name". Allocates nothing.
bool parseMappingLine(const char *line, std::size_t length, ProcessMapping &mapping);

// The mappings of this process from /proc/self/maps, one after the other;
// lines that do not parse are passed over.
class OwnMappings
{
public:
    OwnMappings();
    bool next(ProcessMapping &mapping);

private:
    SignalSafeLineReader m_maps;
};
