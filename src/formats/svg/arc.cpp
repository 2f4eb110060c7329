#include "arc.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/curvetolerance.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double radiansPerDegree = 0.017453292519943295;
constexpr double fullTurn = 6.283185307179586;
// A hair over a quarter turn, so that an exact quarter turn is one piece.
constexpr double largestPieceAngle = 1.5717963267948964;

struct Point
{
    double x;
    double y;
};

// The end points mapped into the space where the ellipse is a unit circle,
// and the centre found there.
struct UnitCircleArc
{
    Point start;
    Point end;
    Point centre;
};

UnitCircleArc toUnitCircle(double rx, double ry, double s, double c, Point start, Point end)
{
    const double a00 = c / rx;
    const double a01 = s / rx;
    const double a10 = -s / ry;
    const double a11 = c / ry;
    UnitCircleArc arc;
    arc.start = {a00 * start.x + a01 * start.y, a10 * start.x + a11 * start.y};
    arc.end = {a00 * end.x + a01 * end.y, a10 * end.x + a11 * end.y};
    return arc;
}

Point unitCircleCentre(const UnitCircleArc &arc, int largeArcFlag, int sweepFlag)
{
    const double dx = arc.end.x - arc.start.x;
    const double dy = arc.end.y - arc.start.y;
    const double d = dx * dx + dy * dy;
    double factorSquared = 1 / d - 0.25;
    if (factorSquared < 0)
        factorSquared = 0;
    double factor = std::sqrt(factorSquared);
    if (sweepFlag == largeArcFlag)
        factor = -factor;
    return {0.5 * (arc.start.x + arc.end.x) - factor * dy, 0.5 * (arc.start.y + arc.end.y) + factor * dx};
}

} // namespace

void appendArc(CheckedPainterPath &path, double rx, double ry, double xAxisRotation, int largeArcFlag, int sweepFlag,
               double x, double y, double currentX, double currentY)
{
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    const double s = std::sin(xAxisRotation * radiansPerDegree);
    const double c = std::cos(xAxisRotation * radiansPerDegree);

    // Radii too small to reach from one point to the other grow until they do.
    const double dx = (currentX - x) * 0.5;
    const double dy = (currentY - y) * 0.5;
    const double x1 = c * dx + s * dy;
    const double y1 = -s * dx + c * dy;
    const double check = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (check > 1) {
        rx = rx * std::sqrt(check);
        ry = ry * std::sqrt(check);
    }

    UnitCircleArc arc = toUnitCircle(rx, ry, s, c, {currentX, currentY}, {x, y});
    arc.centre = unitCircleCentre(arc, largeArcFlag, sweepFlag);

    const double startAngle = std::atan2(arc.start.y - arc.centre.y, arc.start.x - arc.centre.x);
    const double endAngle = std::atan2(arc.end.y - arc.centre.y, arc.end.x - arc.centre.x);
    double sweep = endAngle - startAngle;
    if (sweep < 0 && sweepFlag != 0)
        sweep += fullTurn;
    else if (sweep > 0 && sweepFlag == 0)
        sweep -= fullTurn;
    if (std::isnan(sweep))
        return;

    if (path.curveTolerance() > 0) {
        appendArcLines(path, arc.centre.x, arc.centre.y, startAngle, sweep, rx, ry, xAxisRotation);
        return;
    }
    const int pieces = int(std::ceil(std::fabs(sweep / largestPieceAngle)));
    for (int i = 0; i < pieces; ++i) {
        arcSegment(path, arc.centre.x, arc.centre.y, startAngle + i * sweep / pieces,
                   startAngle + (i + 1) * sweep / pieces, rx, ry, xAxisRotation);
    }
}

// The true arc as lines within the path's curve tolerance, in equal steps of
// the ellipse's angle, the start being where the path stands.
void appendArcLines(CheckedPainterPath &path, double xc, double yc, double startAngle, double sweep, double rx,
                    double ry, double xAxisRotation)
{
    const double s = std::sin(xAxisRotation * radiansPerDegree);
    const double c = std::cos(xAxisRotation * radiansPerDegree);
    const int segments = ellipticArcSegmentCount(std::max(rx, ry), sweep, path.curveTolerance());
    for (int k = 1; k <= segments; ++k) {
        const double angle = startAngle + sweep * k / segments;
        const double px = xc + std::cos(angle);
        const double py = yc + std::sin(angle);
        path.lineTo(QPointF(c * rx * px - s * ry * py, s * rx * px + c * ry * py));
    }
}

void arcSegment(CheckedPainterPath &path, double xc, double yc, double startAngle, double endAngle, double rx,
                double ry, double xAxisRotation)
{
    const double s = std::sin(xAxisRotation * radiansPerDegree);
    const double c = std::cos(xAxisRotation * radiansPerDegree);
    const double b00 = c * rx;
    const double b01 = -s * ry;
    const double b10 = s * rx;
    const double b11 = c * ry;
    auto toEllipse = [&](double px, double py) { return QPointF(b00 * px + b01 * py, b10 * px + b11 * py); };

    const double halfSweep = 0.5 * (endAngle - startAngle);
    const double quarterSine = std::sin(halfSweep * 0.5);
    const double t = 2.6666666666666665 * (quarterSine * quarterSine) / std::sin(halfSweep);

    const double x1 = xc + std::cos(startAngle) - t * std::sin(startAngle);
    const double y1 = yc + std::sin(startAngle) + t * std::cos(startAngle);
    const double x3 = xc + std::cos(endAngle);
    const double y3 = yc + std::sin(endAngle);
    const double x2 = x3 + t * std::sin(endAngle);
    const double y2 = y3 - t * std::cos(endAngle);
    path.cubicTo(toEllipse(x1, y1), toEllipse(x2, y2), toEllipse(x3, y3));
}
