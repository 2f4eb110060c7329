#include "simpleentities.h"

#include "readerstate.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"

void beginBlock(DxfReaderState &state)
{
    const DxfGroupTable &groups = state.groups;
    state.blockOffset = DxfOffset{groups.number(10) * state.unitFactor, groups.number(20) * state.unitFactor,
                                  groups.number(30) * state.unitFactor};
}

void endBlock(DxfReaderState &state)
{
    state.blockOffset = DxfOffset{};
}

void addPoint(const DxfReaderState &state, Drawing &drawing)
{
    drawing.addObject()->appendPoint(state.position(10));
}

void addLine(const DxfReaderState &state, CheckedPainterPath &path)
{
    path.moveTo(state.position(10));
    path.lineTo(state.position(11));
}

void beginPolyline(DxfReaderState &state, Drawing &drawing)
{
    state.polylineObject = drawing.addObject();
}

void addVertex(const DxfReaderState &state)
{
    if (state.polylineObject)
        state.polylineObject->appendPoint(state.position(10));
}

void addCircle(const DxfReaderState &state, CheckedPainterPath &path)
{
    const double radius = state.groups.number(40) * state.unitFactor;
    path.addEllipse(state.position(10), radius, radius);
}
