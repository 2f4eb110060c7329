#include "repeatedgroups.h"

namespace {

// The number of a repeated group; one that cannot be read makes the whole
// entity unreadable, as it does in the group table.
double numberOf(DxfReaderState &state, const DxfText &value)
{
    double number = 0;
    if (!readDxfNumber(value, number))
        state.groups.markUnreadableNumber();
    return number;
}

int countOf(DxfReaderState &state, const DxfText &value)
{
    int count = 0;
    if (!readDxfInteger(value, count)) {
        state.groups.markUnreadableNumber();
        count = 0;
    }
    return count;
}

// Group 10 opens a new point; 10, 20 and 30 fill its coordinates.
template<int Fields>
void takeCoordinate(DxfReaderState &state, DxfRecords<Fields> &records, int code, const DxfText &value)
{
    if (code == 10)
        records.advance();
    records.set(code / 10 - 1, numberOf(state, value));
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
        vertices.announce(countOf(state, pair.value));
    else if (isCoordinateCode(pair.code))
        takeCoordinate(state, vertices, pair.code, pair.value);
    else if (pair.code == 42)
        vertices.set(3, numberOf(state, pair.value));
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
        state.splineKnots.announce(countOf(state, pair.value));
    } else if (pair.code == 73) {
        state.splineControlPoints.announce(countOf(state, pair.value));
    } else if (pair.code == 40) {
        if (state.splineKnots.advance())
            state.splineKnots.set(0, numberOf(state, pair.value));
    } else if (isCoordinateCode(pair.code)) {
        takeCoordinate(state, state.splineControlPoints, pair.code, pair.value);
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
