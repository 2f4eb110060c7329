#pragma once

#include "conversionresult.h"

#include "formats/formatoptions.h"

#include <functional>
#include <memory>

class Drawing;

using DrawingReadFunction = std::function<bool(const QString &, Drawing &)>;

// Reads input into drawing as a conversion does: the input is checked
// before any reader tries, so that the reason names the cause, and a
// drawing read whole is judged for coordinates out of range before anything
// of it may be written. False with result's status, detail and notes set
// when the file cannot be converted; true with its notes otherwise.
// beforeReading runs once the input passed its checks, just before reading.
bool readForConversion(const QString &input, const DrawingReadFunction &read, Drawing &drawing,
                       ConversionResult &result, const std::function<void()> &beforeReading = {});

// A drawing as a conversion with these options would write it: read,
// checked and shaped for output (ordered, joined). Without a drawing,
// result says why.
struct DrawingAsConverted
{
    std::unique_ptr<Drawing> drawing;
    ConversionResult result;
};

// Installs options on the calling thread for the reading, so that it may
// run on any thread. Never throws.
DrawingAsConverted drawingAsConverted(const QString &input, const ConversionOptions &options,
                                      const DrawingReadFunction &read);
DrawingAsConverted drawingAsConverted(const QString &input, const ConversionOptions &options);
