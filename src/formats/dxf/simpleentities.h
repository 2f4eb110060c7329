#pragma once

#include "drawnentity.h"

class Drawing;
class CheckedPainterPath;
struct DxfReaderState;

// The entities that need no sampling of their own, handled when they end.
// One that lacks a position or size it needs draws nothing: a missing
// record is no zero, which would send the tool to the origin.

// Whether the entity gave both the x group `xCode` and its y group.
bool hasPosition(const DxfReaderState &state, int xCode);

// A one-point object.
DxfDrawn addPoint(const DxfReaderState &state, Drawing &drawing);
DxfDrawn addLine(const DxfReaderState &state, CheckedPainterPath &path);
// A closed circle from (cx + r, cy), counter-clockwise with y up.
DxfDrawn addCircle(const DxfReaderState &state, CheckedPainterPath &path);
