#pragma once

#include <cstdio>

// Whether the stream is attached to an interactive terminal.
bool isTerminal(std::FILE *stream);

// Columns of the terminal behind the stream, or 80 when unknown.
int terminalColumns(std::FILE *stream);
