#pragma once

#include "drawnentity.h"

class CheckedPainterPath;
class Drawing;
struct DxfReaderState;

// Samples the SPLINE (or HELIX) that has just been read from its knots and
// control points: splineSegments points per control point, from parameter
// 0 to its last knot. Degrees other than 1 to 3, fewer control points than
// the order, too few knots or knots that decrease draw nothing; a control
// point that is not finite puts the drawing out of range.
DxfDrawn addSpline(const DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path);
