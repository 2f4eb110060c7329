#pragma once

#include "formats/formatoptions.h"

// The reader options that the first byte of a fuzz input picks: weld from
// its lowest bit, units per inch, the unusable ones among them, from the rest.
inline ConversionOptions hpglFuzzOptions(unsigned char choice)
{
    const qint32 unitsChoices[] = {1016, 40, 1, 0, -1016};
    ConversionOptions options;
    options.hpglAutoWeld = choice & 1;
    options.hpglUnits = unitsChoices[(choice >> 1) % 5];
    return options;
}
