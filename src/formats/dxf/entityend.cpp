#include "entityend.h"

#include "arc.h"
#include "blockplacer.h"
#include "blocks.h"
#include "ellipse.h"
#include "headervariables.h"
#include "lightweightpolyline.h"
#include "polyline.h"
#include "readerstate.h"
#include "simpleentities.h"
#include "spline.h"

#include "drawing/checkedpainterpath.h"

namespace {

const char unreadableNumber[] = QT_TRANSLATE_NOOP("DrawingNotes", "entity with an unreadable number");
const char paperSpaceEntity[] = QT_TRANSLATE_NOOP("DrawingNotes", "paper space entity");

constexpr int paperSpaceCode = 67;

DxfDrawn draw(DxfKind kind, DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path)
{
    switch (kind) {
    case DxfKind::Point:
        return addPoint(state, drawing);
    case DxfKind::Line:
        return addLine(state, path);
    case DxfKind::Polyline:
        return beginPolyline(state, drawing);
    case DxfKind::Vertex:
        return addVertex(state, drawing);
    case DxfKind::Circle:
        return addCircle(state, path);
    case DxfKind::LightweightPolyline:
        return addLightweightPolyline(state, path);
    case DxfKind::Arc:
        return addArc(state, path);
    case DxfKind::Ellipse:
        path = ellipsePath(state, path.curveTolerance());
        break;
    case DxfKind::Spline:
    case DxfKind::Helix:
        return addSpline(state, drawing, path);
    default:
        break;
    }
    return DxfDrawn{};
}

// Paper space is a sheet of its own, which the reader draws over the model
// all the same. Vertices go with their polyline.
bool inPaperSpace(DxfKind kind, const DxfGroupTable &groups)
{
    return kind != DxfKind::Vertex && groups.has(paperSpaceCode) && dxfInteger(groups.value(paperSpaceCode), 0) == 1;
}

void finishDrawnEntity(DxfKind kind, DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path)
{
    // The block's own note counts what it holds.
    if (state.skippingBlock)
        return;
    // A repeated group that could not be read is known before drawing,
    // which may be long work for a spline.
    DxfDrawn drawn;
    if (!state.groups.heldUnreadableNumber())
        drawn = draw(kind, state, drawing, path);
    if (state.groups.heldUnreadableNumber()) {
        path.clear();
        state.notes.add(DrawingNote::Skipped, unreadableNumber);
        return;
    }
    if (drawn.skipped)
        state.notes.add(DrawingNote::Skipped, drawn.skipped);
    if (!drawn.addedPoints && path.isEmpty())
        return;
    state.blocks.markDrawn();
    if (inPaperSpace(kind, state.groups))
        state.notes.add(DrawingNote::ElsewhereDrawn, paperSpaceEntity);
}

// Only ENTITIES and BLOCKS hold entities; the other sections hold records
// by the same group, which are not entities.
DxfSection sectionNamed(const DxfText &name)
{
    return name.equals("ENTITIES") || name.equals("BLOCKS") ? DxfSection::Entities : DxfSection::Other;
}

} // namespace

void finishEntity(DxfKind kind, DxfReaderState &state, Drawing &drawing, CheckedPainterPath &path)
{
    if (isDrawnKind(kind)) {
        finishDrawnEntity(kind, state, drawing, path);
        return;
    }
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
    case DxfKind::Insert:
        if (state.section == DxfSection::Other)
            break;
        if (state.placer)
            state.placer->place(state);
        else
            noteInsert(state);
        break;
    case DxfKind::Section:
        state.section = sectionNamed(state.groups.value(2));
        break;
    case DxfKind::EndSection:
        state.section = DxfSection::Outside;
        break;
    default:
        break;
    }
}
