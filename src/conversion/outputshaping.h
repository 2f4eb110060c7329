#pragma once

#include "formats/formatoptions.h"

#include <memory>

class Drawing;

// Whether the options change the drawing between reading and writing; the
// output can then be written only once the whole file is read.
bool shapesOutput(const ConversionOptions &options);

// The drawing as it is to be written: its objects ordered to shorten the
// travel and touching ones joined, as the options ask; null when they
// leave it as read.
std::unique_ptr<Drawing> shapedForOutput(const Drawing &drawing, const ConversionOptions &options);
