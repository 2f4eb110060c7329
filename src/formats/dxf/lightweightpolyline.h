#pragma once

#include "drawnentity.h"

class CheckedPainterPath;
struct DxfReaderState;

// Draws the LWPOLYLINE that has just been read as one subpath; a closed one
// of more than two vertices ends on its first vertex, and with blocks placed
// one of two vertices too. One with fewer
// vertices than its count draws those it has.
DxfDrawn addLightweightPolyline(const DxfReaderState &state, CheckedPainterPath &path);

// The note of the closing segment of two vertices left out.
extern const char lightweightPolylineClosingSegmentNote[];
