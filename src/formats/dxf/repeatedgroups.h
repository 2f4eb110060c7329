#pragma once

#include "entitykind.h"
#include "pairreader.h"
#include "readerstate.h"

// The groups that an entity repeats are collected outside the group table.
// Each function takes the pair when it belongs to such a group and returns
// whether it did; other pairs go to the group table.

// LWPOLYLINE: vertex count (90), coordinates (10, 20, 30) and bulge (42).
bool takePolylineVertexGroup(DxfReaderState &state, const DxfPair &pair);

// SPLINE: knot count (72), control-point count (73), knots (40) and
// control points (10, 20, 30). The subclass marker "AcDbHelix" (100) turns
// the entity into a helix, whose own groups are not collected; the marker
// itself is left for the group table.
bool takeSplineGroup(DxfReaderState &state, DxfKind &kind, const DxfPair &pair);

// Empties the repeated groups at an entity boundary: they belong to the
// entity that gives them. Kept on, they would let an entity without its own
// count group draw its predecessor again, so that a run of bare names
// repeats one large spline or polyline thousands of times.
void forgetRepeatedGroups(DxfReaderState &state);
