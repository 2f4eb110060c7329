#pragma once

#include <cstdint>

// Numbers of the minidump file format as debuggers and Breakpad's processor
// read it: the Microsoft structures plus Breakpad's Linux extensions. The
// writer lays every structure out field by field in little-endian order, so
// only the constants and the sizes that readers check are needed here.
namespace minidump {

constexpr std::uint32_t HeaderSignature = 0x504d444d; // "MDMP"
constexpr std::uint32_t HeaderVersion = 0x0000a793;
constexpr std::uint32_t HeaderSize = 32;
constexpr std::uint32_t DirectoryEntrySize = 12;

enum StreamType : std::uint32_t {
    ThreadListStream = 3,
    ModuleListStream = 4,
    MemoryListStream = 5,
    ExceptionStream = 6,
    SystemInfoStream = 7,
    MiscInfoStream = 15,
    MemoryInfoListStream = 16,
    BreakpadInfoStream = 0x47670001,
    LinuxCpuInfoStream = 0x47670003,
    LinuxProcStatusStream = 0x47670004,
    LinuxLsbReleaseStream = 0x47670005,
    LinuxCommandLineStream = 0x47670006,
    LinuxEnvironmentStream = 0x47670007,
    LinuxAuxiliaryVectorStream = 0x47670008,
    LinuxMapsStream = 0x47670009,
};

constexpr std::uint32_t ThreadSize = 48;
constexpr std::uint32_t ModuleSize = 108;
constexpr std::uint32_t MemoryDescriptorSize = 16;
constexpr std::uint32_t ExceptionMaximumParameters = 15;

constexpr std::uint16_t CpuArchitectureAmd64 = 9;
constexpr std::uint32_t OsLinux = 0x8201;

constexpr std::uint32_t CodeViewElfSignature = 0x4270454c; // "BpEL": GNU build id follows

constexpr std::uint32_t MemoryInfoListHeaderSize = 16;
constexpr std::uint32_t MemoryInfoSize = 48;
constexpr std::uint32_t MemoryStateCommitted = 0x1000;
constexpr std::uint32_t MemoryTypePrivate = 0x20000;
constexpr std::uint32_t MemoryTypeMapped = 0x40000;
constexpr std::uint32_t MemoryTypeImage = 0x1000000;
// Page protections: readable, writable and executable combined.
constexpr std::uint32_t ProtectNoAccess = 0x01;
constexpr std::uint32_t ProtectReadOnly = 0x02;
constexpr std::uint32_t ProtectReadWrite = 0x04;
constexpr std::uint32_t ProtectExecute = 0x10;
constexpr std::uint32_t ProtectExecuteRead = 0x20;
constexpr std::uint32_t ProtectExecuteReadWrite = 0x40;

constexpr std::uint32_t MiscInfoSize = 24;
constexpr std::uint32_t MiscInfoProcessId = 0x1;
constexpr std::uint32_t MiscInfoProcessTimes = 0x2;

constexpr std::uint32_t BreakpadInfoRequestingThreadValid = 1u << 1;

// The x86-64 thread context (CONTEXT): 1232 bytes, with the offsets that
// the writer fills.
namespace amd64 {
constexpr std::uint32_t ContextSize = 1232;
constexpr std::uint32_t ContextFlags = 0x00100000 | 0x1 | 0x2 | 0x4 | 0x8; // control, integer, segments, floating point
constexpr std::uint32_t ContextFlagsOffset = 48;
constexpr std::uint32_t MxCsrOffset = 52;
constexpr std::uint32_t SegmentCsOffset = 56; // then ds, es, fs, gs, ss as 16-bit values
constexpr std::uint32_t EflagsOffset = 68;
constexpr std::uint32_t IntegerRegistersOffset = 120; // rax rcx rdx rbx rsp rbp rsi rdi r8..r15
constexpr std::uint32_t RipOffset = 248;
constexpr std::uint32_t FloatSaveOffset = 256; // the 512-byte FXSAVE image
constexpr std::uint32_t FloatSaveSize = 512;
} // namespace amd64

} // namespace minidump
