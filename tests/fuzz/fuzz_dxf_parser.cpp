// libFuzzer target: any bytes as a DXF drawing, with resolutions that keep
// splines cheap and the drawing held to a few thousand points, so that it
// runs thousands of inputs a second through the reading itself. Large
// resolutions and long flattening are fuzz_dxfreader's.

#include "dxffuzzoptions.h"
#include "readerfuzzinput.h"

#include "formats/dxf/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    readFuzzInputWithinPointLimit(data, size, "input.dxf", dxfParserFuzzOptions, readDxf);
    return 0;
}
