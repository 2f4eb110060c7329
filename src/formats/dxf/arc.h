#pragma once

#include "drawnentity.h"

class CheckedPainterPath;
class QRectF;
struct DxfReaderState;

// Samples the ARC that has just been read into 6 to 86 points, more for a
// larger arc (or as many as keep within the path's curve tolerance), from its start angle counter-clockwise to its end angle;
// nothing when it lacks its centre, radius or either angle.
DxfDrawn addArc(const DxfReaderState &state, CheckedPainterPath &path);

// The number of points for an arc on the circle bounded by `square`, with
// angles in degrees, counter-clockwise with y up.
int arcPointCount(const QRectF &square, double startAngle, double endAngle);
