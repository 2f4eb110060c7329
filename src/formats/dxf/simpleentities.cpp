#include "simpleentities.h"

#include "readerstate.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"

DxfDrawn addPoint(const DxfReaderState &state, Drawing &drawing)
{
    const QPointF point = state.position(10);
    if (state.groups.heldUnreadableNumber())
        return DxfDrawn{};
    drawing.addObject()->appendPoint(point);
    return DxfDrawn{true};
}

void addLine(const DxfReaderState &state, CheckedPainterPath &path)
{
    path.moveTo(state.position(10));
    path.lineTo(state.position(11));
}

void addCircle(const DxfReaderState &state, CheckedPainterPath &path)
{
    const double radius = state.groups.number(40) * state.unitFactor;
    path.addEllipse(state.position(10), radius, radius);
}
