// libFuzzer target: any bytes as an HPGL plot, under every combination of
// the reader's options that changes its paths.

#include "hpglfuzzoptions.h"
#include "readerfuzzinput.h"

#include "formats/hpgl/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    readFuzzInput(data, size, "input.plt", hpglFuzzOptions, readHpgl);
    return 0;
}
