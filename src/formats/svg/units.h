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

// What a length text holds besides its number, as the two functions above
// read it after trimming: nothing at all, no number, a plain number, or a
// number with px, %, another suffix of the table, or a suffix they do not
// know (which reads as no suffix).
enum class LengthKind { Missing, Unreadable, Plain, Pixels, Percent, OtherUnit, UnknownUnit };
LengthKind lengthKind(QStringView length);
