#pragma once

class CheckedPainterPath;
struct DxfReaderState;

// Draws the LWPOLYLINE that has just been read as one subpath; a closed one
// of more than two vertices ends on its first vertex.
void addLightweightPolyline(const DxfReaderState &state, CheckedPainterPath &path);
