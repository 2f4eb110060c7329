#include "repeatedgroups.h"

namespace {

// Group 10 opens a new point; 10, 20 and 30 fill its coordinates.
template<int Fields>
void takeCoordinate(DxfRecords<Fields> &records, int code, const DxfText &value)
{
    if (code == 10)
        records.advance();
    records.set(code / 10 - 1, dxfNumber(value, 0));
}

bool isCoordinateCode(int code)
{
    return code == 10 || code == 20 || code == 30;
}

} // namespace

bool takePolylineVertexGroup(DxfReaderState &state, const DxfPair &pair)
{
    DxfRecords<4> &vertices = state.polylineVertices;
    if (pair.code == 90)
        vertices.announce(dxfInteger(pair.value, 0));
    else if (isCoordinateCode(pair.code))
        takeCoordinate(vertices, pair.code, pair.value);
    else if (pair.code == 42)
        vertices.set(3, dxfNumber(pair.value, 0));
    else
        return false;
    return true;
}

bool takeSplineGroup(DxfReaderState &state, DxfKind &kind, const DxfPair &pair)
{
    if (pair.code == 100) {
        if (pair.value.equals("AcDbHelix"))
            kind = DxfKind::Helix;
        return false;
    }
    if (pair.code == 72) {
        state.splineKnots.announce(dxfInteger(pair.value, 0));
    } else if (pair.code == 73) {
        state.splineControlPoints.announce(dxfInteger(pair.value, 0));
    } else if (pair.code == 40) {
        if (state.splineKnots.advance())
            state.splineKnots.set(0, dxfNumber(pair.value, 0));
    } else if (isCoordinateCode(pair.code)) {
        takeCoordinate(state.splineControlPoints, pair.code, pair.value);
    } else {
        return false;
    }
    return true;
}

void forgetRepeatedGroups(DxfReaderState &state)
{
    state.polylineVertices.announce(0);
    state.splineKnots.announce(0);
    state.splineControlPoints.announce(0);
}
