#pragma once

#include "formats/formatoptions.h"

// The reader options that the first byte of a fuzz input picks: weld from
// its lowest bit, units per inch, the unusable ones among them, from the
// rest modulo 5, and the full instruction set from what is left over.
inline ConversionOptions hpglFuzzOptions(unsigned char choice)
{
    const qint32 unitsChoices[] = {1016, 40, 1, 0, -1016};
    ConversionOptions options;
    options.hpglAutoWeld = choice & 1;
    options.hpglUnits = unitsChoices[(choice >> 1) % 5];
    options.hpglFullInstructionSet = (choice >> 1) / 5 % 2 == 1;
    return options;
}
