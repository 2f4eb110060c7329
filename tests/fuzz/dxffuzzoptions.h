#pragma once

#include "formats/formatoptions.h"

// The reader options that the first byte of a fuzz input picks: whether the
// file may set the spline resolution from its lowest bit, the resolution
// itself, the unusable ones among them, from the next three, whether blocks
// are placed where they are inserted from bit 4, and the unit of a file that
// names none from the top three. The settings store
// hands the reader whatever number it holds, so the option is as hostile as
// the file.
inline ConversionOptions dxfFuzzOptions(unsigned char choice)
{
    const qint32 segmentChoices[] = {8, 1, 0, -8, 1000, 32767, 2147483647, -2147483647 - 1};
    ConversionOptions options;
    options.dxfSplineSegmentsFromFile = choice & 1;
    options.dxfSplineSegments = segmentChoices[(choice >> 1) % 8];
    options.dxfPlaceBlocks = (choice & 16) != 0;
    const char *const unitChoices[] = {"inch", "mm", "cm", "m", "ft", "unitless", "", "yard"};
    options.dxfUnitWhenUnnamed = QLatin1String(unitChoices[choice >> 5]);
    return options;
}

// The options of the parser target: the same picks, with the resolutions
// that would flatten a spline into tens of thousands of points held to 8,
// and the file's own $SPLINESEGS ignored, since it may ask for 32767.
inline ConversionOptions dxfParserFuzzOptions(unsigned char choice)
{
    ConversionOptions options = dxfFuzzOptions(choice);
    options.dxfSplineSegmentsFromFile = false;
    if (options.dxfSplineSegments > 8)
        options.dxfSplineSegments = 8;
    return options;
}
