#include "lightweightpolyline.h"

#include "bulgearc.h"
#include "readerstate.h"

#include "drawing/checkedpainterpath.h"

namespace {

constexpr int closedFlag = 1;

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

void addLightweightPolyline(const DxfReaderState &state, CheckedPainterPath &path)
{
    const DxfRecords<4> &vertices = state.polylineVertices;
    const int count = vertices.count();
    if (count <= 0)
        return;
    const int last = count - 1;
    // Vertices announced but never given all sit at the same point, so the
    // segments between them add nothing: a hostile count costs no time.
    for (int i = 0; i < last && i < vertices.filled(); ++i)
        addSegment(state, path, i, i + 1);
    const bool closed = (state.groups.integer(70, 0) & closedFlag) != 0;
    if (closed && count > 2)
        addSegment(state, path, last, 0);
}
