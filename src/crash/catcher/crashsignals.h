#pragma once

// The signals that end the program as a crash, and how they are described
// in the details file.

constexpr int crashSignalCount = 6;
extern const int crashSignals[crashSignalCount];

// Whether a crash report is made for the signal with this cause (si_code).
// Floating-point exceptions are left to the platform's own handling; an
// integer division by zero and a breakpoint trap are reported.
bool isReportedCrash(int signal, int code);

// "NAME: description" for a crash signal, "Unknown exception code" for any
// other. The description never holds ": ", so the text splits in two there.
const char *crashSignalText(int signal);
