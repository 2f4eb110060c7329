#include "crashsignals.h"

#include <csignal>

const int crashSignals[crashSignalCount] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP};

namespace {

// Newer kernels also tell an undiagnosed floating-point exception apart.
constexpr int FloatingPointUnknown = 14;

bool isFloatingPointException(int code)
{
    switch (code) {
    case FPE_FLTDIV:
    case FPE_FLTOVF:
    case FPE_FLTUND:
    case FPE_FLTRES:
    case FPE_FLTINV:
    case FPE_FLTSUB:
    case FloatingPointUnknown:
        return true;
    default:
        return false;
    }
}

} // namespace

bool isReportedCrash(int signal, int code)
{
    for (int crashSignal : crashSignals) {
        if (signal == crashSignal)
            return !(signal == SIGFPE && isFloatingPointException(code));
    }
    return false;
}

const char *crashSignalText(int signal)
{
    switch (signal) {
    case SIGSEGV:
        return "SIGSEGV: The process tried to access memory it may not access.";
    case SIGBUS:
        return "SIGBUS: The process accessed memory that has no backing or an address the processor cannot use.";
    case SIGILL:
        return "SIGILL: The process tried to execute an illegal or privileged instruction.";
    case SIGFPE:
        return "SIGFPE: The process performed an erroneous arithmetic operation such as an integer division by zero.";
    case SIGABRT:
        return "SIGABRT: The process aborted itself, usually after a failed check.";
    case SIGTRAP:
        return "SIGTRAP: A breakpoint or trace trap was encountered.";
    default:
        return "Unknown exception code";
    }
}
