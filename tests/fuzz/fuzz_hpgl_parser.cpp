// libFuzzer target: any bytes as an HPGL plot, with the drawing held to a
// few thousand points, so that it runs thousands of inputs a second through
// the reading itself. Long plots and their arcs are fuzz_hpglreader's.

#include "hpglfuzzoptions.h"
#include "readerfuzzinput.h"

#include "formats/hpgl/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    readFuzzInputWithinPointLimit(data, size, "input.plt", hpglFuzzOptions, readHpgl);
    return 0;
}
