#include "writeback.h"

#include <fcntl.h>

void startWriteback(int fileDescriptor, std::int64_t offset, std::int64_t length)
{
    if (fileDescriptor >= 0 && length > 0)
        ::sync_file_range(fileDescriptor, offset, length, SYNC_FILE_RANGE_WRITE);
}
