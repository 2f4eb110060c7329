#pragma once

// Starts arguments[0] with the null-terminated argument list, this
// process's environment and no inherited descriptors, and waits for it to
// end. False when it could not be started. Usable inside a signal handler:
// the new process starts with no signal blocked, whatever the caller's
// mask.
bool startProcessAndWait(const char *const arguments[]);
