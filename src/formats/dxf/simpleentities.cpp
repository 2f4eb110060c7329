#include "simpleentities.h"

#include "readerstate.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"

#include <QtGlobal>

namespace {

const char incompletePoint[] = QT_TRANSLATE_NOOP("DrawingNotes", "incomplete POINT");
const char incompleteLine[] = QT_TRANSLATE_NOOP("DrawingNotes", "incomplete LINE");
const char incompleteCircle[] = QT_TRANSLATE_NOOP("DrawingNotes", "incomplete CIRCLE");

} // namespace

bool hasPosition(const DxfReaderState &state, int xCode)
{
    return state.groups.has(xCode) && state.groups.has(xCode + 10);
}

DxfDrawn addPoint(const DxfReaderState &state, Drawing &drawing)
{
    if (!hasPosition(state, 10))
        return DxfDrawn{false, incompletePoint};
    const QPointF point = state.position(10);
    if (state.groups.heldUnreadableNumber())
        return DxfDrawn{};
    drawing.addObject()->appendPoint(point);
    return DxfDrawn{true};
}

DxfDrawn addLine(const DxfReaderState &state, CheckedPainterPath &path)
{
    if (!hasPosition(state, 10) || !hasPosition(state, 11))
        return DxfDrawn{false, incompleteLine};
    path.moveTo(state.position(10));
    path.lineTo(state.position(11));
    return DxfDrawn{};
}

DxfDrawn addCircle(const DxfReaderState &state, CheckedPainterPath &path)
{
    if (!hasPosition(state, 10) || !state.groups.has(40))
        return DxfDrawn{false, incompleteCircle};
    const double radius = state.groups.number(40) * state.unitFactor;
    path.addEllipse(state.position(10), radius, radius);
    return DxfDrawn{};
}
