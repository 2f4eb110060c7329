#include "ellipse.h"

#include "readerstate.h"

#include "drawing/checkedpainterpath.h"

#include <QTransform>

#include <cmath>

namespace {

constexpr double degreesPerRadian = 57.29577951308232;
constexpr double fullTurn = 6.283185307179586;

} // namespace

CheckedPainterPath ellipsePath(const DxfReaderState &state, double curveTolerance)
{
    const DxfGroupTable &groups = state.groups;
    const QPointF centre = state.position(10);
    // The major axis is relative to the centre: no block offset.
    const double axisX = groups.number(11) * state.unitFactor;
    const double axisY = groups.number(21) * state.unitFactor;
    const double axisZ = groups.number(31) * state.unitFactor;
    const double ratio = groups.number(40, 1.0);
    const double majorRadius = std::sqrt(axisX * axisX + axisY * axisY + axisZ * axisZ);
    const double minorRadius = majorRadius * ratio;
    const double rotation = std::atan2(axisY, axisX);

    // Groups 41 and 42 hold parametric angles, which is what the painter
    // path takes on a rectangle.
    const double start = groups.number(41, 0) * degreesPerRadian;
    double end = groups.number(42, fullTurn) * degreesPerRadian;
    if (end < start)
        end += 360;

    const QRectF bounds(centre.x() - majorRadius, centre.y() - minorRadius, 2 * majorRadius, 2 * minorRadius);
    CheckedPainterPath path;
    // Turned below, which keeps every distance.
    path.setCurveTolerance(curveTolerance);
    path.arcMoveTo(bounds, -start);
    path.arcTo(bounds, -start, -(end - start));

    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotateRadians(rotation);
    turn.translate(-centre.x(), -centre.y());
    path.transform(turn);
    return path;
}
