#pragma once

#include <cstdint>

// Asks the system to start writing the given range of an open file to disk
// now, without waiting for it. A later sync (a save file's commit) then has
// little left to wait for. Does nothing where the system has no such call.
void startWriteback(int fileDescriptor, std::int64_t offset, std::int64_t length);
