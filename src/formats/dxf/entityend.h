#pragma once

#include "entitykind.h"

class Drawing;
class CheckedPainterPath;
struct DxfReaderState;

// Handles the entity or header variable whose groups have all been read:
// what it draws goes into `path` (empty on entry), or straight into the
// drawing for points and polyline vertices. What it did not draw as the
// file means it is counted in the state's notes.
void finishEntity(DxfKind kind, DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path);
