#include "minidumpwriter.h"

#include "minidumpformat.h"
#include "minidumpstreams.h"
#include "processmapping.h"
#include "processmemory.h"
#include "crash/signalsafe/signalsafefile.h"
#include "crash/signalsafe/signalsafetext.h"

#include <ctime>

namespace {

constexpr std::uint32_t MaximumStreams = 16;
constexpr std::uint64_t StackLimit = 256 * 1024;
// The bytes below the stack pointer that leaf functions may use unannounced.
constexpr std::uint64_t RedZone = 128;
constexpr std::uint64_t InstructionWindow = 256;
constexpr std::uint64_t OverflowSlack = 64 * 1024;
constexpr std::uint64_t ProcFileLimit = 4 * 1024 * 1024;

struct MemoryRange
{
    std::uint64_t start = 0;
    MinidumpLocation location;
};

struct DirectoryEntry
{
    std::uint32_t type;
    MinidumpLocation location;
};

// The readable mapping that holds the address, or that begins at most
// slack bytes above it: after a stack overflow the stack pointer stands
// just below the stack.
bool findMapping(std::uint64_t address, std::uint64_t slack, std::uint64_t &start, std::uint64_t &end)
{
    OwnMappings mappings;
    ProcessMapping mapping;
    while (mappings.next(mapping)) {
        if (address >= mapping.end)
            continue;
        start = mapping.start;
        end = mapping.end;
        const bool near = mapping.start <= address || mapping.start - address <= slack;
        return near && mapping.readable;
    }
    return false;
}

class MinidumpWriter
{
public:
    MinidumpWriter(SignalSafeFile &file, const CrashContext &crash, const SystemFacts &facts, std::uint64_t startTime)
        : m_file(file), m_crash(crash), m_facts(facts), m_startTime(startTime)
    {
    }

    void write()
    {
        m_file.writeZeros(minidump::HeaderSize + MaximumStreams * minidump::DirectoryEntrySize);
        m_context = writeAmd64Context(m_file, m_crash.machineContext);
        writeMemory();
        writeThreadList();
        writeMemoryList();
        writeException();
        writeSystemInfo();
        addStream(minidump::ModuleListStream, writeModuleListStream(m_file));
        addStream(minidump::MemoryInfoListStream, writeMemoryInfoListStream(m_file));
        writeMiscInfo();
        writeBreakpadInfo();
        writeProcFiles();
        writeHeaderAndDirectory();
    }

private:
    void addStream(std::uint32_t type, MinidumpLocation location)
    {
        if (m_streamCount < MaximumStreams)
            m_directory[m_streamCount++] = DirectoryEntry{type, location};
    }

    std::uint32_t beginStream()
    {
        m_file.alignTo(8);
        return static_cast<std::uint32_t>(m_file.position());
    }

    void endStream(std::uint32_t type, std::uint32_t rva)
    {
        addStream(type, MinidumpLocation{static_cast<std::uint32_t>(m_file.position() - rva), rva});
    }

    // Unreadable pages are written as zeros, so the range stays whole.
    MemoryRange copyMemory(std::uint64_t start, std::uint64_t size)
    {
        static unsigned char chunk[4096];
        MemoryRange range;
        range.start = start;
        range.location.rva = beginStream();
        range.location.size = static_cast<std::uint32_t>(size);
        for (std::uint64_t at = 0; at < size; at += sizeof chunk) {
            const std::size_t count = size - at < sizeof chunk ? static_cast<std::size_t>(size - at) : sizeof chunk;
            if (readOwnMemory(chunk, start + at, count))
                m_file.write(chunk, count);
            else
                m_file.writeZeros(count);
        }
        return range;
    }

    void writeMemory()
    {
        std::uint64_t mappingStart = 0;
        std::uint64_t mappingEnd = 0;
        const std::uint64_t below = m_crash.stackPointer > RedZone ? (m_crash.stackPointer - RedZone) & ~std::uint64_t(15) : 0;
        if (findMapping(m_crash.stackPointer, OverflowSlack, mappingStart, mappingEnd)) {
            const std::uint64_t start = below > mappingStart ? below : mappingStart;
            const std::uint64_t end = mappingEnd - start > StackLimit ? start + StackLimit : mappingEnd;
            m_stack = copyMemory(start, end - start);
        } else {
            m_stack.start = m_crash.stackPointer;
        }
        if (findMapping(m_crash.instructionAddress, 0, mappingStart, mappingEnd)) {
            std::uint64_t start = m_crash.instructionAddress - InstructionWindow / 2;
            start = start < mappingStart ? mappingStart : start;
            const std::uint64_t end = mappingEnd - start > InstructionWindow ? start + InstructionWindow : mappingEnd;
            m_instructions = copyMemory(start, end - start);
        }
    }

    void writeMemoryDescriptor(const MemoryRange &range)
    {
        m_file.write64(range.start);
        m_file.write32(range.location.size);
        m_file.write32(range.location.rva);
    }

    // Only the crashed thread: the others cannot be stopped from inside
    // the handler without a helper process.
    void writeThreadList()
    {
        const std::uint32_t rva = beginStream();
        m_file.write32(1);
        m_file.write32(static_cast<std::uint32_t>(m_crash.threadId));
        m_file.write32(0); // suspend count
        m_file.write32(0); // priority class
        m_file.write32(0); // priority
        m_file.write64(0); // thread environment block
        writeMemoryDescriptor(m_stack);
        m_file.write32(m_context.size);
        m_file.write32(m_context.rva);
        endStream(minidump::ThreadListStream, rva);
    }

    void writeMemoryList()
    {
        const std::uint32_t rva = beginStream();
        const bool withInstructions = m_instructions.location.size > 0;
        m_file.write32(withInstructions ? 2 : 1);
        writeMemoryDescriptor(m_stack);
        if (withInstructions)
            writeMemoryDescriptor(m_instructions);
        endStream(minidump::MemoryListStream, rva);
    }

    // Breakpad's Linux convention: the signal as the code, its si_code as
    // the flags.
    void writeException()
    {
        const std::uint32_t rva = beginStream();
        m_file.write32(static_cast<std::uint32_t>(m_crash.threadId));
        m_file.write32(0);
        m_file.write32(static_cast<std::uint32_t>(m_crash.signal));
        m_file.write32(static_cast<std::uint32_t>(m_crash.code));
        m_file.write64(0); // no nested exception record
        m_file.write64(m_crash.faultAddress);
        m_file.write32(0); // no parameters
        m_file.write32(0);
        m_file.writeZeros(minidump::ExceptionMaximumParameters * 8);
        m_file.write32(m_context.size);
        m_file.write32(m_context.rva);
        endStream(minidump::ExceptionStream, rva);
    }

    void writeSystemInfo()
    {
        const MinidumpLocation description = writeMinidumpString(m_file, m_facts.osDescription, textLength(m_facts.osDescription));
        const std::uint32_t rva = beginStream();
        m_file.write16(minidump::CpuArchitectureAmd64);
        m_file.write16(m_facts.cpuFamily);
        m_file.write16(m_facts.cpuModelAndStepping);
        m_file.write8(m_facts.processorCount);
        m_file.write8(0); // product type
        for (std::uint32_t part : m_facts.osVersion)
            m_file.write32(part);
        m_file.write32(minidump::OsLinux);
        m_file.write32(description.rva);
        m_file.write16(0); // suite mask
        m_file.write16(0);
        for (std::uint32_t word : m_facts.cpuVendor)
            m_file.write32(word);
        m_file.write32(m_facts.cpuVersion);
        m_file.write32(m_facts.cpuFeatures);
        m_file.write32(m_facts.cpuExtendedFeatures);
        endStream(minidump::SystemInfoStream, rva);
    }

    void writeMiscInfo()
    {
        const std::uint32_t rva = beginStream();
        m_file.write32(minidump::MiscInfoSize);
        m_file.write32(minidump::MiscInfoProcessId | minidump::MiscInfoProcessTimes);
        m_file.write32(static_cast<std::uint32_t>(m_crash.processId));
        m_file.write32(static_cast<std::uint32_t>(m_startTime));
        m_file.write32(0); // user time
        m_file.write32(0); // kernel time
        endStream(minidump::MiscInfoStream, rva);
    }

    // Names the crashed thread as the one that asked for the dump; there is
    // no separate dumping thread to leave out.
    void writeBreakpadInfo()
    {
        const std::uint32_t rva = beginStream();
        m_file.write32(minidump::BreakpadInfoRequestingThreadValid);
        m_file.write32(0);
        m_file.write32(static_cast<std::uint32_t>(m_crash.threadId));
        endStream(minidump::BreakpadInfoStream, rva);
    }

    void writeProcFile(std::uint32_t type, const char *path)
    {
        const std::uint32_t rva = beginStream();
        if (m_file.writeFileContents(path, ProcFileLimit) > 0)
            endStream(type, rva);
    }

    void writeProcFiles()
    {
        writeProcFile(minidump::LinuxCpuInfoStream, "/proc/cpuinfo");
        writeProcFile(minidump::LinuxProcStatusStream, "/proc/self/status");
        writeProcFile(minidump::LinuxLsbReleaseStream, "/etc/os-release");
        writeProcFile(minidump::LinuxCommandLineStream, "/proc/self/cmdline");
        writeProcFile(minidump::LinuxEnvironmentStream, "/proc/self/environ");
        writeProcFile(minidump::LinuxAuxiliaryVectorStream, "/proc/self/auxv");
        writeProcFile(minidump::LinuxMapsStream, "/proc/self/maps");
    }

    void writeHeaderAndDirectory()
    {
        static unsigned char head[minidump::HeaderSize + MaximumStreams * minidump::DirectoryEntrySize];
        std::size_t at = 0;
        auto put32 = [&](std::uint32_t value) {
            for (int shift = 0; shift < 32; shift += 8)
                head[at++] = static_cast<unsigned char>(value >> shift);
        };
        put32(minidump::HeaderSignature);
        put32(minidump::HeaderVersion);
        put32(m_streamCount);
        put32(minidump::HeaderSize);
        put32(0); // checksum
        put32(static_cast<std::uint32_t>(::time(nullptr)));
        put32(0); // flags, 64 bits
        put32(0);
        for (std::uint32_t i = 0; i < m_streamCount; ++i) {
            put32(m_directory[i].type);
            put32(m_directory[i].location.size);
            put32(m_directory[i].location.rva);
        }
        m_file.writeAt(0, head, at);
    }

    SignalSafeFile &m_file;
    const CrashContext &m_crash;
    const SystemFacts &m_facts;
    std::uint64_t m_startTime;
    MinidumpLocation m_context;
    MemoryRange m_stack;
    MemoryRange m_instructions;
    DirectoryEntry m_directory[MaximumStreams] = {};
    std::uint32_t m_streamCount = 0;
};

// Set up before any crash: a function-local static would be guarded by a
// lock on first use.
SignalSafeFile dumpFile;

} // namespace

bool writeMinidump(const char *path, const CrashContext &crash, const SystemFacts &facts, std::uint64_t startTime)
{
    if (!dumpFile.create(path))
        return false;
    MinidumpWriter(dumpFile, crash, facts, startTime).write();
    return dumpFile.close();
}
