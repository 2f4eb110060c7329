#include "painterpathflattening.h"

#include "checkedpainterpath.h"
#include "curvetolerance.h"
#include "drawing.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double coincidenceTolerance = 1e-12;
constexpr double segmentFactor = 1.0471975511965976; // pi / 3
constexpr float maximumPointCount = 86;
constexpr int minimumPointCount = 10;

bool nearlyEqual(const QPointF &a, const QPointF &b)
{
    return std::fabs(a.x() - b.x()) <= coincidenceTolerance && std::fabs(a.y() - b.y()) <= coincidenceTolerance;
}

// De Casteljau, in exactly this order of operations, so that every platform
// produces the same digits.
double cubicCoordinate(double p0, double c1, double c2, double p3, double t)
{
    const double u = 1 - t;
    const double a = p0 * u + c1 * t;
    const double b = c1 * u + c2 * t;
    const double c = c2 * u + p3 * t;
    const double d = a * u + b * t;
    const double e = b * u + c * t;
    return d * u + e * t;
}

void appendCubic(DrawingObject &object, const QPointF &c1, const QPointF &c2, const QPointF &p3, double tolerance)
{
    if (object.points.isEmpty()) {
        // A painter path always opens with a move; this only guards the
        // arithmetic below against a target that was handed in empty.
        object.appendPoint(p3);
        return;
    }
    const DrawingPoint *start = object.lastPoint();
    const QPointF p0(start->x, start->y);
    if (!isStraightCubic(p0, c1, c2, p3)) {
        const int n = tolerance > 0 ? cubicSegmentCount(p0, c1, c2, p3, tolerance) + 1 : cubicPointCount(p0, c1, c2, p3);
        for (int k = 1; k <= n - 2; ++k) {
            const double t = double(k) / double(n - 1);
            object.appendPoint(QPointF(cubicCoordinate(p0.x(), c1.x(), c2.x(), p3.x(), t),
                                       cubicCoordinate(p0.y(), c1.y(), c2.y(), p3.y(), t)));
        }
    }
    object.appendPoint(p3);
}

} // namespace

bool isStraightCubic(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3)
{
    const bool a = nearlyEqual(p0, c1);
    const bool b = nearlyEqual(c1, c2);
    const bool c = nearlyEqual(c2, p3);
    if (a && b && c)
        return true;
    if (nearlyEqual(p0, p3))
        return a || c;
    return int(a) + int(b) + int(c) >= 2;
}

QRectF controlBounds(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3)
{
    const double minX = std::min({p0.x(), c1.x(), c2.x(), p3.x()});
    const double maxX = std::max({p0.x(), c1.x(), c2.x(), p3.x()});
    const double minY = std::min({p0.y(), c1.y(), c2.y(), p3.y()});
    const double maxY = std::max({p0.y(), c1.y(), c2.y(), p3.y()});
    return QRectF(minX, minY, maxX - minX, maxY - minY);
}

int cubicPointCount(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3)
{
    const QRectF box = controlBounds(p0, c1, c2, p3);
    const double w = box.width();
    const double h = box.height();
    const double m = w < h ? h : w;
    float v = float(m * segmentFactor);
    if (v > maximumPointCount)
        v = maximumPointCount;
    // Also catches NaN, which must not reach the integer conversion.
    if (!(v >= float(minimumPointCount)))
        return minimumPointCount;
    return int(v);
}

void appendPainterPath(const QPainterPath &path, Drawing &drawing, DrawingObject *target, double curveTolerance)
{
    if (path.isEmpty() || path.elementCount() <= 0)
        return;

    DrawingObject *current = target;
    int i = 0;
    while (i < path.elementCount()) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            if (!current || i > 0)
                current = drawing.addObject();
            current->appendPoint(element);
            i += 1;
            break;
        case QPainterPath::LineToElement:
            if (!current)
                current = drawing.addObject();
            current->appendPoint(element);
            i += 1;
            break;
        case QPainterPath::CurveToElement:
            if (!current)
                current = drawing.addObject();
            if (i + 2 >= path.elementCount())
                return;
            appendCubic(*current, element, path.elementAt(i + 1), path.elementAt(i + 2), curveTolerance);
            i += 3;
            break;
        default:
            i += 1;
            break;
        }
    }
}

void appendPainterPath(const CheckedPainterPath &path, Drawing &drawing, DrawingObject *target)
{
    if (path.lostCoordinate())
        drawing.markCoordinateOutOfRange();
    appendPainterPath(path.painterPath(), drawing, target, path.curveTolerance());
}
