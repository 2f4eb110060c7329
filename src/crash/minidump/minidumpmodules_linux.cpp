#include "minidumpformat.h"
#include "minidumpstreams.h"
#include "processmapping.h"
#include "processmemory.h"
#include "crash/signalsafe/signalsafefile.h"

#include <elf.h>

namespace {

constexpr std::size_t MaximumModules = 2048;
constexpr std::size_t MaximumBuildIdSize = 64;
constexpr std::size_t MaximumNameSize = 4096;

struct ModuleRecord
{
    std::uint64_t base = 0;
    std::uint64_t end = 0;
    std::uint64_t inode = 0;
    MinidumpLocation name;
    MinidumpLocation codeView;
};

// Only one crash is ever handled, so the handler's working storage can be
// static instead of on the small signal stack.
ModuleRecord modules[MaximumModules];
char currentName[MaximumNameSize];
std::size_t currentNameLength = 0;

struct BuildId
{
    unsigned char bytes[MaximumBuildIdSize];
    std::size_t size = 0;
};

bool findBuildIdInNotes(const unsigned char *notes, std::size_t size, BuildId &id)
{
    std::size_t at = 0;
    while (at + 12 <= size) {
        Elf64_Nhdr header;
        for (std::size_t i = 0; i < sizeof header; ++i)
            reinterpret_cast<unsigned char *>(&header)[i] = notes[at + i];
        const std::size_t nameAt = at + 12;
        const std::size_t descriptionAt = nameAt + ((header.n_namesz + 3) & ~3u);
        const std::size_t next = descriptionAt + ((header.n_descsz + 3) & ~3u);
        if (next > size || next <= at)
            return false;
        const bool gnu = header.n_namesz == 4 && notes[nameAt] == 'G' && notes[nameAt + 1] == 'N'
            && notes[nameAt + 2] == 'U' && notes[nameAt + 3] == '\0';
        if (gnu && header.n_type == NT_GNU_BUILD_ID && header.n_descsz <= MaximumBuildIdSize) {
            for (std::size_t i = 0; i < header.n_descsz; ++i)
                id.bytes[i] = notes[descriptionAt + i];
            id.size = header.n_descsz;
            return id.size > 0;
        }
        at = next;
    }
    return false;
}

bool readProgramHeader(std::uint64_t base, const Elf64_Ehdr &elf, unsigned index, Elf64_Phdr &segment)
{
    return readOwnMemory(&segment, base + elf.e_phoff + index * sizeof segment, sizeof segment);
}

// The load bias: where the module's virtual address 0 lies in memory.
bool loadBias(std::uint64_t base, const Elf64_Ehdr &elf, std::uint64_t &bias)
{
    for (unsigned i = 0; i < elf.e_phnum; ++i) {
        Elf64_Phdr segment;
        if (!readProgramHeader(base, elf, i, segment))
            return false;
        if (segment.p_type == PT_LOAD) {
            bias = base - (segment.p_vaddr & ~std::uint64_t(0xfff));
            return true;
        }
    }
    return false;
}

bool readBuildId(std::uint64_t base, BuildId &id)
{
    Elf64_Ehdr elf;
    if (!readOwnMemory(&elf, base, sizeof elf) || elf.e_ident[EI_MAG0] != ELFMAG0 || elf.e_ident[EI_MAG1] != ELFMAG1
        || elf.e_ident[EI_MAG2] != ELFMAG2 || elf.e_ident[EI_MAG3] != ELFMAG3 || elf.e_ident[EI_CLASS] != ELFCLASS64
        || elf.e_phentsize != sizeof(Elf64_Phdr) || elf.e_phnum > 256)
        return false;
    std::uint64_t bias = 0;
    if (!loadBias(base, elf, bias))
        return false;
    static unsigned char notes[4096];
    for (unsigned i = 0; i < elf.e_phnum; ++i) {
        Elf64_Phdr segment;
        if (!readProgramHeader(base, elf, i, segment))
            return false;
        if (segment.p_type != PT_NOTE || segment.p_memsz > sizeof notes)
            continue;
        if (readOwnMemory(notes, bias + segment.p_vaddr, segment.p_memsz) && findBuildIdInNotes(notes, segment.p_memsz, id))
            return true;
    }
    return false;
}

MinidumpLocation writeCodeViewRecord(SignalSafeFile &file, std::uint64_t base)
{
    BuildId id;
    if (!readBuildId(base, id))
        return MinidumpLocation();
    file.alignTo(4);
    MinidumpLocation location;
    location.rva = static_cast<std::uint32_t>(file.position());
    file.write32(minidump::CodeViewElfSignature);
    file.write(id.bytes, id.size);
    location.size = static_cast<std::uint32_t>(4 + id.size);
    return location;
}

bool sameFile(const ProcessMapping &mapping, const ModuleRecord &module)
{
    if (mapping.inode != module.inode || mapping.nameLength != currentNameLength)
        return false;
    for (std::size_t i = 0; i < currentNameLength; ++i) {
        if (mapping.name[i] != currentName[i])
            return false;
    }
    return true;
}

// A module begins where a file is mapped from its first byte.
bool beginsModule(const ProcessMapping &mapping)
{
    return mapping.offset == 0 && mapping.inode != 0 && mapping.nameLength > 0 && mapping.name[0] == '/'
        && mapping.nameLength < MaximumNameSize;
}

ModuleRecord beginModule(SignalSafeFile &file, const ProcessMapping &mapping)
{
    for (std::size_t i = 0; i < mapping.nameLength; ++i)
        currentName[i] = mapping.name[i];
    currentNameLength = mapping.nameLength;
    ModuleRecord module;
    module.base = mapping.start;
    module.end = mapping.end;
    module.inode = mapping.inode;
    module.name = writeMinidumpString(file, mapping.name, mapping.nameLength);
    module.codeView = writeCodeViewRecord(file, mapping.start);
    return module;
}

// Writes the names and build ids as the modules are found; returns the count.
std::size_t collectModules(SignalSafeFile &file)
{
    OwnMappings mappings;
    ProcessMapping mapping;
    std::size_t count = 0;
    bool inModule = false;
    while (mappings.next(mapping)) {
        if (inModule && sameFile(mapping, modules[count - 1])) {
            modules[count - 1].end = mapping.end;
            continue;
        }
        inModule = false;
        if (beginsModule(mapping) && count < MaximumModules) {
            modules[count++] = beginModule(file, mapping);
            inModule = true;
        }
    }
    return count;
}

void writeModule(SignalSafeFile &file, const ModuleRecord &module)
{
    file.write64(module.base);
    const std::uint64_t size = module.end - module.base;
    file.write32(static_cast<std::uint32_t>(size > 0xffffffffu ? 0xffffffffu : size));
    file.write32(0); // checksum
    file.write32(0); // time stamp
    file.write32(module.name.rva);
    file.writeZeros(13 * 4); // no version resource on this platform
    file.write32(module.codeView.size);
    file.write32(module.codeView.rva);
    file.writeZeros(8); // no miscellaneous record
    file.writeZeros(16); // reserved
}

} // namespace

MinidumpLocation writeModuleListStream(SignalSafeFile &file)
{
    const std::size_t count = collectModules(file);
    file.alignTo(8);
    MinidumpLocation location;
    location.rva = static_cast<std::uint32_t>(file.position());
    file.write32(static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        writeModule(file, modules[i]);
    location.size = static_cast<std::uint32_t>(file.position() - location.rva);
    return location;
}
