// libFuzzer target: any bytes as a DXF drawing, under every combination of
// the reader's options that changes its paths.

#include "dxffuzzoptions.h"
#include "readerfuzzinput.h"

#include "formats/dxf/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    readFuzzInput(data, size, "input.dxf", dxfFuzzOptions, readDxf);
    return 0;
}
