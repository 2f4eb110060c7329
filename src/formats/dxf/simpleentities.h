#pragma once

class Drawing;
class CheckedPainterPath;
struct DxfReaderState;

// The entities that need no sampling of their own, handled when they end.

void beginBlock(DxfReaderState &state);
void endBlock(DxfReaderState &state);
// A one-point object.
void addPoint(const DxfReaderState &state, Drawing &drawing);
void addLine(const DxfReaderState &state, CheckedPainterPath &path);
// A POLYLINE only opens the object its VERTEX entities extend; its flags
// and the bulges of its vertices are not read.
void beginPolyline(DxfReaderState &state, Drawing &drawing);
void addVertex(const DxfReaderState &state);
// A closed circle from (cx + r, cy), counter-clockwise with y up.
void addCircle(const DxfReaderState &state, CheckedPainterPath &path);
