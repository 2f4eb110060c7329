#pragma once

#include "toolpath.h"

#include "conversion/conversionresult.h"
#include "formats/formatoptions.h"

// The toolpath a conversion with these options would write, read afresh
// from input; without a drawing (no vertices), result says why. Runs on any
// thread and never throws.
struct LoadedToolpath
{
    Toolpath toolpath;
    ConversionResult result;
};

LoadedToolpath loadToolpath(const QString &input, const ConversionOptions &options);
