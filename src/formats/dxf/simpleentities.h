#pragma once

#include "drawnentity.h"

class Drawing;
class CheckedPainterPath;
struct DxfReaderState;

// The entities that need no sampling of their own, handled when they end.

// A one-point object.
DxfDrawn addPoint(const DxfReaderState &state, Drawing &drawing);
void addLine(const DxfReaderState &state, CheckedPainterPath &path);
// A closed circle from (cx + r, cy), counter-clockwise with y up.
void addCircle(const DxfReaderState &state, CheckedPainterPath &path);
