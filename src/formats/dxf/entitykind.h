#pragma once

#include "text.h"

// What the pairs after a group 0 or 9 describe.
enum class DxfKind {
    Unknown,
    HeaderVariable,
    InsUnitsVariable,
    SplineSegmentsVariable,
    Ignored, // recognised, but nothing is drawn from it
    Layer,
    Block,
    EndBlock,
    Point,
    Line,
    Polyline,
    LightweightPolyline,
    Vertex,
    Spline,
    Helix,
    Arc,
    Circle,
    Ellipse,
};

// The kind a group 0 or 9 value starts. Names are compared exactly.
DxfKind dxfKindOf(const DxfText &name);

// Whether the name was one of the entity or table names the reader knows,
// as opposed to header variables and anything else.
bool isRecognisedKind(DxfKind kind);
