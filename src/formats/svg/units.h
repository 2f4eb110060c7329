#pragma once

#include <QStringView>

// Pixels per millimetre at the 90 dpi of SVG's CSS units.
constexpr double svgPixelsPerMillimetre = 3.543307;

// The number of units of a length's suffix per millimetre: "%" and "px"
// count as pixels, "pc", "pt", "mm", "cm" and "in" as what they name. A
// length without a suffix is in millimetres when the caller also asks for
// its number and in pixels when it asks for the factor alone. The number
// in front of the suffix is stored in `number` when one is given.
double unitsPerMillimetre(QStringView length, double *number = nullptr);

// A document size in millimetres, a plain number counting as pixels.
double documentLengthInMillimetres(QStringView length);
