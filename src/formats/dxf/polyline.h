#pragma once

#include "drawnentity.h"

class Drawing;
struct DxfReaderState;

// A POLYLINE only opens the object its VERTEX entities extend; its flags
// and the bulges of its vertices are not drawn, so a closed polyline stays
// open and its arcs are chords. Both are noted when the polyline ends.
DxfDrawn beginPolyline(DxfReaderState &state, Drawing &drawing);
// A vertex whose position cannot be read breaks the polyline: joining its
// neighbours would cut a line the file does not hold.
DxfDrawn addVertex(DxfReaderState &state, Drawing &drawing);
// After its last vertex.
void endPolyline(DxfReaderState &state);
