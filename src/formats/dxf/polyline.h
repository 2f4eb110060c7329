#pragma once

#include "drawnentity.h"

class CheckedPainterPath;
class Drawing;
struct DxfReaderState;

// A POLYLINE only opens the object its VERTEX entities extend; its flags
// and the bulges of its vertices are not drawn, so a closed polyline stays
// open and its arcs are chords. Both are noted when the polyline ends.
// With blocks placed, as the CAD program draws it: the vertices are kept
// and drawn with their arcs and closing segment by drawCollectedPolyline.
DxfDrawn beginPolyline(DxfReaderState &state, Drawing &drawing);
// A vertex whose position cannot be read breaks the polyline: joining its
// neighbours would cut a line the file does not hold.
DxfDrawn addVertex(DxfReaderState &state, Drawing &drawing);
// After its last vertex.
void endPolyline(DxfReaderState &state);
// With blocks placed, before endPolyline: the polyline whose vertices came.
void drawCollectedPolyline(const DxfReaderState &state, CheckedPainterPath &path);

// The note of a closing segment left out.
extern const char polylineClosingSegmentNote[];
