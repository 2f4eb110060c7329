#include "polyline.h"

#include "bulgearc.h"
#include "optionnames.h"
#include "readerstate.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"

#include <cmath>
#include <limits>

namespace {

constexpr int closedFlag = 1;

const char outsidePolyline[] = QT_TRANSLATE_NOOP("DrawingNotes", "VERTEX outside a POLYLINE");

// A bulge that cannot be read is a curve all the same.
bool hasBulge(const DxfGroupTable &groups)
{
    return groups.has(42) && dxfNumber(groups.value(42), 1) != 0;
}

// The bulge of a vertex kept for drawing; one that cannot be read has
// made the vertex unreadable already.
double bulgeOf(const DxfGroupTable &groups)
{
    return groups.has(42) ? dxfNumber(groups.value(42), 0) : 0;
}

DxfDrawn collectVertex(DxfReaderState &state)
{
    if (!state.polylineOpen)
        return DxfDrawn{false, outsidePolyline};
    const QPointF point = state.position(10);
    const double z = state.toMillimetresZ(state.groups.number(30));
    const double bulge = bulgeOf(state.groups);
    if (state.groups.heldUnreadableNumber()) {
        state.polylinePoints.push_back({{std::numeric_limits<double>::quiet_NaN(), 0, 0, 0}});
        return DxfDrawn{};
    }
    state.polylinePoints.push_back({{point.x(), point.y(), z, bulge}});
    return DxfDrawn{true};
}

DxfVertex vertexAt(const DxfReaderState &state, std::size_t i)
{
    const auto &point = state.polylinePoints[i];
    return DxfVertex{point[0], point[1], point[2]};
}

} // namespace

const char polylineClosingSegmentNote[] = QT_TRANSLATE_NOOP("DrawingNotes", "closing segment of a POLYLINE");

DxfDrawn beginPolyline(DxfReaderState &state, Drawing &drawing)
{
    endPolyline(state);
    state.polylineClosed = (dxfInteger(state.groups.value(70), 0) & closedFlag) != 0;
    if (state.placeBlocks) {
        state.polylineOpen = true;
        return DxfDrawn{};
    }
    state.polylineObject = drawing.addObject();
    return DxfDrawn{true};
}

DxfDrawn addVertex(DxfReaderState &state, Drawing &drawing)
{
    if (state.placeBlocks)
        return collectVertex(state);
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

// A vertex that could not be read breaks the polyline, which then has no
// one closing segment: each piece runs from its first to its last vertex.
void drawCollectedPolyline(const DxfReaderState &state, CheckedPainterPath &path)
{
    const std::size_t count = state.polylinePoints.size();
    bool broken = false;
    std::size_t first = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (std::isnan(state.polylinePoints[i][0])) {
            broken = true;
            first = i + 1;
            continue;
        }
        if (i == first)
            path.moveTo(state.polylinePoints[i][0], state.polylinePoints[i][1]);
        else
            addSampledBulgeSegment(path, vertexAt(state, i - 1), vertexAt(state, i), state.polylinePoints[i - 1][3],
                                   state.curveScale);
    }
    if (state.polylineClosed && !broken && count >= 2)
        addSampledBulgeSegment(path, vertexAt(state, count - 1), vertexAt(state, 0),
                               state.polylinePoints[count - 1][3], state.curveScale);
}

void endPolyline(DxfReaderState &state)
{
    if (state.polylineObject) {
        if (state.polylineBulged)
            state.notes.add(DrawingNote::AsLines, "POLYLINE");
        if (state.polylineClosed && state.polylineObject->points.size() >= 2)
            state.notes.add(DrawingNote::Skipped, polylineClosingSegmentNote);
    }
    state.polylineOpen = false;
    state.polylinePoints.clear();
    state.polylineObject = nullptr;
    state.polylineBroken = false;
    state.polylineClosed = false;
    state.polylineBulged = false;
    state.polylineBulgeAhead = false;
}
