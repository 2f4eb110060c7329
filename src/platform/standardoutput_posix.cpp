#include "standardoutput.h"

#include <unistd.h>

const char *standardOutputPath()
{
    return "/dev/stdout";
}

int standardOutputDescriptor()
{
    return STDOUT_FILENO;
}
