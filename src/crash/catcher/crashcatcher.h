#pragma once

#include <cstddef>
#include <cstdint>

// Catches the crash of this process: writes a minidump "<id>.dmp" and the
// details file "<id>.dmp.details" beside it, starts the reporter as
// "<program> crash <dump>", waits for it and ends the process with status
// 1. Everything the handler writes is handed over beforehand, because
// nothing may be allocated or locked while the process is crashing.

struct CrashCatcherSettings
{
    // The program that shows the report: the running program itself.
    const char *reporterProgram = nullptr;
    // Where the dump and the details file go: the temporary directory.
    const char *dumpDirectory = nullptr;
    // Seconds since 1970-01-01 UTC when the program started.
    std::uint64_t startTime = 0;
};

// Installs the handlers and copies the settings. The calling thread gets an
// alternate signal stack, so that a stack overflow there is reported too;
// other threads handle a crash on their own stack. Once installed, further
// calls change nothing. False when a path is empty or too long, or a
// handler could not be installed.
bool installCrashCatcher(const CrashCatcherSettings &settings);

// Puts back the handlers that were there before.
void uninstallCrashCatcher();

// The serialised state that the details file carries after its length
// line; copied. Call it after every change. Safe from any thread, and it
// never makes the handler wait.
void updateCrashState(const char *bytes, std::size_t size);

// The native handle of the active window for the details file; 0 for none.
void updateCrashActiveWindow(std::uint64_t handle);
