#pragma once

class SignalSafeText;

// Appends a fresh random identifier in the 8-4-4-4-12 form of a version 4
// UUID, in lower case. Usable inside a signal handler.
void appendCrashId(SignalSafeText &text);
