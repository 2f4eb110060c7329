#pragma once

class CheckedPainterPath;
struct DxfReaderState;

// The ELLIPSE that has just been read, as an arc of a painter path for the
// shared flattening: from its start to its end parameter, counter-clockwise
// with y up, turned to the direction of its major axis; at the curve
// tolerance given (see CheckedPainterPath::setCurveTolerance).
CheckedPainterPath ellipsePath(const DxfReaderState &state, double curveTolerance);
