#include "bulgearc.h"

#include "arc.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/curvetolerance.h"

#include <QtMath>

#include <cmath>

namespace {

void moveToIfEmpty(CheckedPainterPath &path, const DxfVertex &point)
{
    if (path.isEmpty())
        path.moveTo(point.x, point.y);
}

// The centre of the arc: on the perpendicular bisector of the chord, to
// its left for a positive bulge of less than a half circle.
QPointF arcCentre(const DxfVertex &from, const DxfVertex &to, double radius, double sagitta, double bulge)
{
    const double offset = bulge > 0 ? std::fabs(radius) - std::fabs(sagitta) : std::fabs(sagitta) - std::fabs(radius);
    double normalX = from.y - to.y;
    double normalY = to.x - from.x;
    const double normalLength = std::sqrt(normalX * normalX + normalY * normalY);
    normalX /= normalLength;
    normalY /= normalLength;
    const double midX = (from.x + to.x) / 2;
    const double midY = (from.y + to.y) / 2;
    return QPointF(midX + offset * normalX, midY + offset * normalY);
}

} // namespace

void addBulgeSegment(CheckedPainterPath &path, const DxfVertex &from, const DxfVertex &to, double bulge)
{
    moveToIfEmpty(path, from);
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double dz = to.z - from.z;
    const double chord = bulge == 0 ? 0 : std::sqrt(dx * dx + dy * dy + dz * dz);
    if (chord == 0) {
        path.lineTo(to.x, to.y);
        return;
    }
    const double sagitta = chord * bulge / 2;
    const double radius = std::fabs(chord * chord / (8 * sagitta) + sagitta / 2);
    const QPointF centre = arcCentre(from, to, radius, sagitta, bulge);
    // Painter-path angles count with y pointing down: negate the file's.
    const double startAngle = qRadiansToDegrees(std::atan2(from.y - centre.y(), from.x - centre.x()));
    const double sweep = qRadiansToDegrees(4 * std::atan(bulge));
    const QRectF square(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    path.arcTo(square, -startAngle, -sweep);
}

void addSampledBulgeSegment(CheckedPainterPath &path, const DxfVertex &from, const DxfVertex &to, double bulge,
                            double curveScale)
{
    moveToIfEmpty(path, from);
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double dz = to.z - from.z;
    const double chord = bulge == 0 ? 0 : std::sqrt(dx * dx + dy * dy + dz * dz);
    if (chord == 0 || !std::isfinite(bulge)) {
        path.lineTo(to.x, to.y);
        return;
    }
    const double sagitta = chord * bulge / 2;
    const double radius = std::fabs(chord * chord / (8 * sagitta) + sagitta / 2);
    const QPointF centre = arcCentre(from, to, radius, sagitta, bulge);
    const double start = qRadiansToDegrees(std::atan2(from.y - centre.y(), from.x - centre.x()));
    const double sweep = qRadiansToDegrees(4 * std::atan(bulge));
    // Counted as the counter-clockwise arc over the same angles.
    const double scaled = radius * curveScale;
    const QRectF square(-scaled, -scaled, 2 * scaled, 2 * scaled);
    const int count = path.curveTolerance() > 0
        ? ellipticArcSegmentCount(radius, qDegreesToRadians(std::fabs(sweep)), path.curveTolerance()) + 1
        : sweep > 0 ? arcPointCount(square, start, start + sweep)
                    : arcPointCount(square, start + sweep, start);
    for (int j = 1; j < count - 1; ++j) {
        const double angle = qDegreesToRadians(start + sweep * j / (count - 1));
        path.lineTo(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    }
    path.lineTo(to.x, to.y);
}
