#pragma once

#include "drawnentity.h"

class Drawing;
struct DxfReaderState;

// A POLYLINE only opens the object its VERTEX entities extend; its flags
// and the bulges of its vertices are not drawn, so a closed polyline stays
// open and its arcs are chords. Both are noted when the polyline ends.
DxfDrawn beginPolyline(DxfReaderState &state, Drawing &drawing);
DxfDrawn addVertex(DxfReaderState &state);
// After its last vertex.
void endPolyline(DxfReaderState &state);
