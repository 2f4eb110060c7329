#pragma once

#include <cmath>

// How far from the origin a point may lie along either axis, in
// millimetres; a point with |x| or |y| beyond it is out of range, and one of
// exactly this much is not. The writer gives every coordinate six decimals:
// up to here a double still resolves a tenth of the last of them, while
// from 2^33 on it cannot hold the sixth decimal at all. No machine travels
// this far, so the margin costs nothing.
constexpr double maximumCoordinate = 1e9;

// Written so that NaN, which fails every comparison, is out of range too.
inline bool isWithinCoordinateRange(double x, double y)
{
    return std::fabs(x) <= maximumCoordinate && std::fabs(y) <= maximumCoordinate;
}
