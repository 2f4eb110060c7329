#include "minidumpformat.h"
#include "minidumpstreams.h"
#include "processmapping.h"
#include "crash/signalsafe/signalsafefile.h"

namespace {

std::uint32_t protection(const ProcessMapping &mapping)
{
    using namespace minidump;
    if (mapping.executable)
        return mapping.writable ? ProtectExecuteReadWrite : mapping.readable ? ProtectExecuteRead : ProtectExecute;
    if (mapping.writable)
        return ProtectReadWrite;
    return mapping.readable ? ProtectReadOnly : ProtectNoAccess;
}

std::uint32_t memoryType(const ProcessMapping &mapping)
{
    if (mapping.inode == 0)
        return minidump::MemoryTypePrivate;
    return mapping.executable ? minidump::MemoryTypeImage : minidump::MemoryTypeMapped;
}

void writeMemoryInfo(SignalSafeFile &file, const ProcessMapping &mapping)
{
    file.write64(mapping.start); // base address
    file.write64(mapping.start); // allocation base
    file.write32(protection(mapping));
    file.write32(0);
    file.write64(mapping.end - mapping.start);
    file.write32(minidump::MemoryStateCommitted);
    file.write32(protection(mapping));
    file.write32(memoryType(mapping));
    file.write32(0);
}

} // namespace

MinidumpLocation writeMemoryInfoListStream(SignalSafeFile &file)
{
    file.alignTo(8);
    MinidumpLocation location;
    location.rva = static_cast<std::uint32_t>(file.position());
    file.write32(minidump::MemoryInfoListHeaderSize);
    file.write32(minidump::MemoryInfoSize);
    file.write64(0); // the count, known at the end
    OwnMappings mappings;
    ProcessMapping mapping;
    std::uint64_t count = 0;
    for (; mappings.next(mapping); ++count)
        writeMemoryInfo(file, mapping);
    unsigned char countBytes[8];
    for (int i = 0; i < 8; ++i)
        countBytes[i] = static_cast<unsigned char>(count >> (8 * i));
    file.writeAt(location.rva + 8, countBytes, sizeof countBytes);
    location.size = static_cast<std::uint32_t>(file.position() - location.rva);
    return location;
}
