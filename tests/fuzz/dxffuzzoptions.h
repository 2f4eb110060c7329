#pragma once

#include "formats/formatoptions.h"

// The reader options that the first byte of a fuzz input picks: whether the
// file may set the spline resolution from its lowest bit, the resolution
// itself, the unusable ones among them, from the rest. The settings store
// hands the reader whatever number it holds, so the option is as hostile as
// the file.
inline ConversionOptions dxfFuzzOptions(unsigned char choice)
{
    const qint32 segmentChoices[] = {8, 1, 0, -8, 1000, 32767, 2147483647, -2147483647 - 1};
    ConversionOptions options;
    options.dxfSplineSegmentsFromFile = choice & 1;
    options.dxfSplineSegments = segmentChoices[(choice >> 1) % 8];
    return options;
}
