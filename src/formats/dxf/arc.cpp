#include "arc.h"

#include "readerstate.h"
#include "simpleentities.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/curvetolerance.h"

#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace {

const char incompleteArc[] = QT_TRANSLATE_NOOP("DrawingNotes", "incomplete ARC");

constexpr double pointsPerMillimetre = 1.5707963267948966; // pi / 2
constexpr int minimumPointCount = 6;
constexpr int maximumPointCount = 86;

} // namespace

int arcPointCount(const QRectF &square, double startAngle, double endAngle)
{
    QPainterPath scratch;
    scratch.arcMoveTo(square, -startAngle);
    scratch.arcTo(square, -startAngle, startAngle - endAngle);
    const QRectF box = scratch.boundingRect();
    const double extent = box.width() > box.height() ? box.width() : box.height();
    const double count = extent * pointsPerMillimetre;
    // Compared before the conversion, which NaN or a huge value must not reach.
    if (std::isnan(count) || count < minimumPointCount)
        return minimumPointCount;
    if (count >= maximumPointCount + 1)
        return maximumPointCount;
    return int(count);
}

DxfDrawn addArc(const DxfReaderState &state, CheckedPainterPath &path)
{
    if (!hasPosition(state, 10) || !state.groups.has(40) || !state.groups.has(50) || !state.groups.has(51))
        return DxfDrawn{false, incompleteArc};
    const QPointF centre = state.position(10);
    const double radius = state.groups.number(40) * state.unitFactor;
    const double start = state.groups.number(50);
    double end = state.groups.number(51);
    if (start > end)
        end += 360;

    const QRectF square(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    // Sampled for the size at which a block's copy is drawn; the path's
    // tolerance is already in the block's units.
    const double scaled = radius * state.curveScale;
    const int count = path.curveTolerance() > 0
        ? ellipticArcSegmentCount(radius, qDegreesToRadians(end - start), path.curveTolerance()) + 1
        : state.curveScale == 1 ? arcPointCount(square, start, end)
                                : arcPointCount(QRectF(-scaled, -scaled, 2 * scaled, 2 * scaled), start, end);
    for (int j = 0; j < count; ++j) {
        const double angle = qDegreesToRadians(start + (end - start) * j / (count - 1));
        const QPointF point(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        if (j == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    return DxfDrawn{};
}
