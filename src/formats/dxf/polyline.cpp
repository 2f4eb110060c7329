#include "polyline.h"

#include "readerstate.h"

#include "drawing/drawing.h"

namespace {

constexpr int closedFlag = 1;

const char outsidePolyline[] = QT_TRANSLATE_NOOP("DrawingNotes", "VERTEX outside a POLYLINE");
const char closingSegment[] = QT_TRANSLATE_NOOP("DrawingNotes", "closing segment of a POLYLINE");

// A bulge that cannot be read is a curve all the same.
bool hasBulge(const DxfGroupTable &groups)
{
    return groups.has(42) && dxfNumber(groups.value(42), 1) != 0;
}

} // namespace

DxfDrawn beginPolyline(DxfReaderState &state, Drawing &drawing)
{
    endPolyline(state);
    state.polylineObject = drawing.addObject();
    state.polylineClosed = (dxfInteger(state.groups.value(70), 0) & closedFlag) != 0;
    return DxfDrawn{true};
}

DxfDrawn addVertex(DxfReaderState &state, Drawing &drawing)
{
    if (!state.polylineObject)
        return DxfDrawn{false, outsidePolyline};
    const QPointF point = state.position(10);
    if (state.groups.heldUnreadableNumber()) {
        state.polylineBroken = !state.polylineObject->points.isEmpty();
        state.polylineBulgeAhead = false;
        return DxfDrawn{};
    }
    if (state.polylineBroken) {
        state.polylineObject = drawing.addObject();
        state.polylineBroken = false;
    }
    state.polylineObject->appendPoint(point);
    // A bulge curves the segment to the next vertex, so only one that
    // such a segment follows is drawn as a chord.
    state.polylineBulged = state.polylineBulged || state.polylineBulgeAhead;
    state.polylineBulgeAhead = hasBulge(state.groups);
    return DxfDrawn{true};
}

void endPolyline(DxfReaderState &state)
{
    if (state.polylineObject) {
        if (state.polylineBulged)
            state.notes.add(DrawingNote::AsLines, "POLYLINE");
        if (state.polylineClosed && state.polylineObject->points.size() > 2)
            state.notes.add(DrawingNote::Skipped, closingSegment);
    }
    state.polylineObject = nullptr;
    state.polylineBroken = false;
    state.polylineClosed = false;
    state.polylineBulged = false;
    state.polylineBulgeAhead = false;
}
