#include "entityend.h"

#include "arc.h"
#include "ellipse.h"
#include "headervariables.h"
#include "lightweightpolyline.h"
#include "readerstate.h"
#include "simpleentities.h"
#include "spline.h"

#include "drawing/checkedpainterpath.h"

namespace {

// Only ENTITIES and BLOCKS hold entities; the other sections hold records
// by the same group, which are not entities.
DxfSection sectionNamed(const DxfText &name)
{
    return name.equals("ENTITIES") || name.equals("BLOCKS") ? DxfSection::Entities : DxfSection::Other;
}

} // namespace

void finishEntity(DxfKind kind, DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path)
{
    switch (kind) {
    case DxfKind::InsUnitsVariable:
        applyInsUnits(state, drawing);
        break;
    case DxfKind::SplineSegmentsVariable:
        applySplineSegments(state);
        break;
    case DxfKind::Block:
        beginBlock(state);
        break;
    case DxfKind::EndBlock:
        endBlock(state);
        break;
    case DxfKind::Point:
        addPoint(state, drawing);
        break;
    case DxfKind::Line:
        addLine(state, path);
        break;
    case DxfKind::Polyline:
        beginPolyline(state, drawing);
        break;
    case DxfKind::Vertex:
        addVertex(state);
        break;
    case DxfKind::Circle:
        addCircle(state, path);
        break;
    case DxfKind::LightweightPolyline:
        addLightweightPolyline(state, path);
        break;
    case DxfKind::Arc:
        addArc(state, path);
        break;
    case DxfKind::Ellipse:
        path = ellipsePath(state);
        break;
    case DxfKind::Spline:
    case DxfKind::Helix:
        addSpline(state, path);
        break;
    case DxfKind::Section:
        state.section = sectionNamed(state.groups.value(2));
        break;
    case DxfKind::EndSection:
        state.section = DxfSection::Outside;
        break;
    case DxfKind::Unknown:
    case DxfKind::HeaderVariable:
    case DxfKind::Ignored:
    case DxfKind::Layer:
    case DxfKind::SequenceEnd:
    case DxfKind::EndOfFile:
        break;
    }
}
