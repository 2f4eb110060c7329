#include "minidumpformat.h"
#include "minidumpstreams.h"
#include "crash/signalsafe/signalsafefile.h"

#include <ucontext.h>

namespace {

using namespace minidump::amd64;

unsigned char context[ContextSize];

void put16(std::uint32_t offset, std::uint64_t value)
{
    context[offset] = static_cast<unsigned char>(value);
    context[offset + 1] = static_cast<unsigned char>(value >> 8);
}

void put32(std::uint32_t offset, std::uint64_t value)
{
    put16(offset, value);
    put16(offset + 2, value >> 16);
}

void put64(std::uint32_t offset, std::uint64_t value)
{
    put32(offset, value);
    put32(offset + 4, value >> 32);
}

void fillIntegerRegisters(const greg_t *registers)
{
    // In the order of the context: rax rcx rdx rbx rsp rbp rsi rdi r8..r15.
    static const int order[] = {REG_RAX, REG_RCX, REG_RDX, REG_RBX, REG_RSP, REG_RBP, REG_RSI, REG_RDI,
                                REG_R8,  REG_R9,  REG_R10, REG_R11, REG_R12, REG_R13, REG_R14, REG_R15};
    for (std::uint32_t i = 0; i < sizeof order / sizeof order[0]; ++i)
        put64(IntegerRegistersOffset + 8 * i, static_cast<std::uint64_t>(registers[order[i]]));
    put64(RipOffset, static_cast<std::uint64_t>(registers[REG_RIP]));
    put32(EflagsOffset, static_cast<std::uint64_t>(registers[REG_EFL]));
}

// The kernel packs cs, gs, fs and ss into one word.
void fillSegments(const greg_t *registers)
{
    const std::uint64_t packed = static_cast<std::uint64_t>(registers[REG_CSGSFS]);
    put16(SegmentCsOffset, packed & 0xffff);
    put16(SegmentCsOffset + 6, (packed >> 32) & 0xffff); // fs
    put16(SegmentCsOffset + 8, (packed >> 16) & 0xffff); // gs
    put16(SegmentCsOffset + 10, (packed >> 48) & 0xffff); // ss
}

// The kernel saves the floating-point state in the FXSAVE layout that the
// context keeps as well.
void fillFloatingPoint(const mcontext_t &machine)
{
    if (machine.fpregs == nullptr)
        return;
    const unsigned char *state = reinterpret_cast<const unsigned char *>(machine.fpregs);
    for (std::uint32_t i = 0; i < FloatSaveSize; ++i)
        context[FloatSaveOffset + i] = state[i];
    put32(MxCsrOffset, machine.fpregs->mxcsr);
}

} // namespace

MinidumpLocation writeAmd64Context(SignalSafeFile &file, const void *machineContext)
{
    for (unsigned char &byte : context)
        byte = 0;
    const ucontext_t *thread = static_cast<const ucontext_t *>(machineContext);
    put32(ContextFlagsOffset, ContextFlags);
    fillIntegerRegisters(thread->uc_mcontext.gregs);
    fillSegments(thread->uc_mcontext.gregs);
    fillFloatingPoint(thread->uc_mcontext);
    file.alignTo(16);
    MinidumpLocation location;
    location.rva = static_cast<std::uint32_t>(file.position());
    location.size = ContextSize;
    file.write(context, ContextSize);
    return location;
}
