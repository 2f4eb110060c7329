#include "lightweightpolyline.h"

#include "bulgearc.h"
#include "readerstate.h"

#include "drawing/checkedpainterpath.h"

#include <QtGlobal>

#include <algorithm>

namespace {

constexpr int closedFlag = 1;

const char incomplete[] = QT_TRANSLATE_NOOP("DrawingNotes", "incomplete LWPOLYLINE");
const char beyondCount[] = QT_TRANSLATE_NOOP("DrawingNotes", "LWPOLYLINE with more vertices than its count");

DxfVertex vertexInMillimetres(const DxfReaderState &state, int i)
{
    const DxfRecords<4>::Record vertex = state.polylineVertices.at(i);
    return DxfVertex{state.toMillimetresX(vertex[0]), state.toMillimetresY(vertex[1]), state.toMillimetresZ(vertex[2])};
}

void addSegment(const DxfReaderState &state, CheckedPainterPath &path, int from, int to)
{
    addBulgeSegment(path, vertexInMillimetres(state, from), vertexInMillimetres(state, to),
                    state.polylineVertices.value(from, 3));
}

} // namespace

const char lightweightPolylineClosingSegmentNote[] =
    QT_TRANSLATE_NOOP("DrawingNotes", "closing segment of an LWPOLYLINE");

DxfDrawn addLightweightPolyline(const DxfReaderState &state, CheckedPainterPath &path)
{
    // Only the vertices the file gives: one announced but missing is no
    // vertex at the origin, which the tool would cross the work to reach.
    const DxfRecords<4> &vertices = state.polylineVertices;
    const int given = std::min(vertices.count(), vertices.filled());
    const char *skipped = vertices.count() < 0 || given < vertices.count() ? incomplete
        : vertices.overflowed()                                            ? beyondCount
                                                                           : nullptr;
    if (given <= 0)
        return DxfDrawn{false, skipped};
    const int last = given - 1;
    for (int i = 0; i < last; ++i)
        addSegment(state, path, i, i + 1);
    const bool closed = (state.groups.integer(70, 0) & closedFlag) != 0;
    // Two vertices close too, back along the line or on round a circle of
    // two bulges; the closing segment of old was left out.
    if (closed && (given > 2 || (given == 2 && state.placeBlocks)))
        addSegment(state, path, last, 0);
    else if (closed && given == 2 && !skipped)
        skipped = lightweightPolylineClosingSegmentNote;
    return DxfDrawn{false, skipped};
}
