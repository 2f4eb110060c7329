#pragma once

#include "drawnentity.h"

class CheckedPainterPath;
struct DxfReaderState;

// Samples the SPLINE (or HELIX) that has just been read from its knots and
// control points: splineSegments points per control point, from parameter
// 0 to its last knot. Degrees other than 1 to 3, fewer control points than
// the order, too few knots or knots that decrease draw nothing.
DxfDrawn addSpline(const DxfReaderState &state, CheckedPainterPath &path);
