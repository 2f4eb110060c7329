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
    Insert,
    SequenceEnd,
    Section,
    EndSection,
    EndOfFile,
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
// as opposed to header variables, the file's structure and anything else.
bool isRecognisedKind(DxfKind kind);

// Whether the kind is drawn when it ends.
bool isDrawnKind(DxfKind kind);

// Whether an entity of this kind is read and passed over as a whole, so
// that a note names it by its keyword.
bool isUndrawnKind(DxfKind kind);
