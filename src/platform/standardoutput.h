#pragma once

// The name by which an output path means this process's standard output.
// Output to it goes to the descriptor the process was started with, never
// to a file put in place of whatever that descriptor leads to.
const char *standardOutputPath();

int standardOutputDescriptor();
