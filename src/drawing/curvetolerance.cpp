#include "curvetolerance.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounds up, within 1 and maximumCurveSegments; NaN takes the maximum, as
// only a hostile value produces it.
int boundedSegments(double segments)
{
    if (!(segments <= maximumCurveSegments))
        return maximumCurveSegments;
    return std::max(1, int(std::ceil(segments)));
}

} // namespace

int ellipticArcSegmentCount(double largerRadius, double sweepRadians, double tolerance)
{
    // A line spanning the parameter step h strays at most h^2 / 8 times the
    // largest second derivative, the larger radius, from the arc.
    const double step = std::sqrt(8 * tolerance / std::fabs(largerRadius));
    return boundedSegments(std::fabs(sweepRadians) / step);
}

int cubicSegmentCount(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3, double tolerance)
{
    // The second derivative is 6 times a blend of these two differences.
    const QPointF a = p0 - 2 * c1 + c2;
    const QPointF b = c1 - 2 * c2 + p3;
    const double bend = std::max(std::hypot(a.x(), a.y()), std::hypot(b.x(), b.y()));
    return boundedSegments(std::sqrt(0.75 * bend / tolerance));
}
