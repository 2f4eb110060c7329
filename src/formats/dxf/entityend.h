#pragma once

#include "entitykind.h"

class Drawing;
class CheckedPainterPath;
struct DxfReaderState;

// Handles the entity or header variable whose groups have all been read:
// what it draws goes into `path` (empty on entry), or straight into the
// drawing for points and polyline vertices.
void finishEntity(DxfKind kind, DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path);
