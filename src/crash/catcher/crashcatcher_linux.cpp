#include "crashcatcher.h"

#include "crash/minidump/crashcontext.h"
#include "crashdetails.h"
#include "crashid.h"
#include "crashsignals.h"
#include "crash/minidump/minidumpwriter.h"
#include "preparedcrashstate.h"
#include "processlaunch.h"
#include "crash/signalsafe/signalsafetext.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

namespace {

constexpr std::size_t PathCapacity = PATH_MAX;
constexpr std::size_t AlternateStackSize = 256 * 1024;

struct Installation
{
    char reporterProgram[PathCapacity] = {};
    char dumpDirectory[PathCapacity] = {};
    std::uint64_t startTime = 0;
    SystemFacts facts;
    struct sigaction previous[crashSignalCount] = {};
    int handledSignals = 0;
};

Installation installation;
PreparedCrashState preparedState;
std::atomic<std::uint64_t> activeWindow{0};
// The thread that handles a crash; 0 while there is none.
std::atomic<long> handlingThread{0};
alignas(16) char alternateStack[AlternateStackSize];

int signalIndex(int signal)
{
    for (int i = 0; i < crashSignalCount; ++i) {
        if (crashSignals[i] == signal)
            return i;
    }
    return -1;
}

// Lets whoever handled the signal before us have it, else the default
// action: the process ends by the signal as if we had not been there.
void passOn(int signal, siginfo_t *info, void *context)
{
    const int index = signalIndex(signal);
    const struct sigaction previous = installation.previous[index];
    const bool hasHandler = previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN;
    if (hasHandler && (previous.sa_flags & SA_SIGINFO) != 0)
        previous.sa_sigaction(signal, info, context);
    else if (hasHandler)
        previous.sa_handler(signal);
    struct sigaction fallback{};
    fallback.sa_handler = SIG_DFL;
    ::sigaction(signal, &fallback, nullptr);
    // Pending until the handler returns and the signal is unblocked.
    ::raise(signal);
}

std::uint64_t crashAddress(int signal, const siginfo_t &info, std::uint64_t instruction)
{
    const bool memoryFault = signal == SIGSEGV || signal == SIGBUS;
    if (memoryFault && info.si_code > 0 && info.si_code != SI_KERNEL)
        return reinterpret_cast<std::uintptr_t>(info.si_addr);
    return instruction;
}

CrashContext describeCrash(int signal, const siginfo_t &info, const void *context, long thread)
{
    const ucontext_t *machine = static_cast<const ucontext_t *>(context);
    CrashContext crash;
    crash.signal = signal;
    crash.code = info.si_code;
    crash.instructionAddress = static_cast<std::uint64_t>(machine->uc_mcontext.gregs[REG_RIP]);
    crash.stackPointer = static_cast<std::uint64_t>(machine->uc_mcontext.gregs[REG_RSP]);
    crash.faultAddress = crashAddress(signal, info, crash.instructionAddress);
    crash.processId = ::getpid();
    crash.threadId = thread;
    crash.machineContext = context;
    return crash;
}

void writeDetails(const char *dumpPath, const CrashContext &crash)
{
    FixedText<PathCapacity + 64> detailsPath;
    detailsPath.append(dumpPath).append(".details");
    const PreparedCrashState::Bytes state = preparedState.freeze();
    CrashDetails details;
    details.stateBytes = state.data;
    details.stateSize = state.size;
    details.activeWindow = activeWindow.load();
    details.startTime = installation.startTime;
    details.processId = crash.processId;
    details.threadId = crash.threadId;
    details.memory = readMemoryStatus();
    details.exceptionAddress = crash.instructionAddress;
    details.signal = crash.signal;
    details.code = crash.code;
    writeCrashDetails(detailsPath.text(), details);
}

// Returns only when the reporter could not be started.
void reportCrash(const CrashContext &crash)
{
    FixedText<PathCapacity + 64> dumpPath;
    dumpPath.append(installation.dumpDirectory).append("/");
    appendCrashId(dumpPath);
    dumpPath.append(".dmp");
    writeMinidump(dumpPath.text(), crash, installation.facts, installation.startTime);
    writeDetails(dumpPath.text(), crash);
    const char *const arguments[] = {installation.reporterProgram, "crash", dumpPath.text(), nullptr};
    if (startProcessAndWait(arguments))
        ::_exit(1);
}

void handleCrashSignal(int signal, siginfo_t *info, void *context)
{
    if (!isReportedCrash(signal, info->si_code)) {
        passOn(signal, info, context);
        return;
    }
    const long self = ::syscall(SYS_gettid);
    long expected = 0;
    if (!handlingThread.compare_exchange_strong(expected, self)) {
        // The handler itself crashed: give up. Another thread's crash is
        // being reported, and that ends the process.
        if (expected == self) {
            passOn(signal, info, context);
            return;
        }
        for (;;)
            ::sleep(1);
    }
    reportCrash(describeCrash(signal, *info, context, self));
    passOn(signal, info, context);
}

bool copyPath(char (&target)[PathCapacity], const char *path)
{
    SignalSafeText text(target, PathCapacity);
    text.append(path ? path : "");
    return text.complete() && text.size() > 0;
}

void useAlternateStack()
{
    stack_t current{};
    if (::sigaltstack(nullptr, &current) == 0 && (current.ss_flags & SS_DISABLE) == 0
        && current.ss_size >= AlternateStackSize)
        return;
    stack_t stack{};
    stack.ss_sp = alternateStack;
    stack.ss_size = sizeof alternateStack;
    ::sigaltstack(&stack, nullptr);
}

bool installHandlers()
{
    struct sigaction action{};
    action.sa_sigaction = handleCrashSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (int signal : crashSignals)
        sigaddset(&action.sa_mask, signal);
    for (int i = 0; i < crashSignalCount; ++i) {
        if (::sigaction(crashSignals[i], &action, &installation.previous[i]) != 0)
            return false;
        installation.handledSignals = i + 1;
    }
    return true;
}

} // namespace

bool installCrashCatcher(const CrashCatcherSettings &settings)
{
    if (installation.handledSignals > 0)
        return true;
    if (!copyPath(installation.reporterProgram, settings.reporterProgram)
        || !copyPath(installation.dumpDirectory, settings.dumpDirectory))
        return false;
    installation.startTime = settings.startTime;
    installation.facts = collectSystemFacts();
    useAlternateStack();
    if (installHandlers())
        return true;
    uninstallCrashCatcher();
    return false;
}

void uninstallCrashCatcher()
{
    for (int i = 0; i < installation.handledSignals; ++i)
        ::sigaction(crashSignals[i], &installation.previous[i], nullptr);
    installation.handledSignals = 0;
}

void updateCrashState(const char *bytes, std::size_t size)
{
    preparedState.update(bytes, size);
}

void updateCrashActiveWindow(std::uint64_t handle)
{
    activeWindow.store(handle);
}
