#pragma once

#include <QByteArray>

// Coordinates are written as QString::number(value, 'f', 6) writes them:
// fixed notation, six decimals, correctly rounded with ties away from zero,
// "nan" and "inf" for the special values. These functions produce the same
// bytes without building a QString per number.

// The longest text the fast path writes: a sign, 15 integer digits, the
// point and six decimals.
constexpr int coordinateFastPathLength = 23;

// Writes the text into `out`, which must have room for
// coordinateFastPathLength bytes, and returns its length; returns -1 without
// writing when the value must take the general path (NaN, infinities,
// magnitudes from 1e15 on, and values too close to a rounding tie to settle
// with double arithmetic).
int formatCoordinateFast(double value, char *out);

// The text for any value.
QByteArray formatCoordinate(double value);
