#include "checkedpainterpath.h"

#include "curvetolerance.h"

#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// The largest magnitude QPainterPath takes, exclusive.
constexpr double largestPathCoordinate = 1e128;

} // namespace

bool CheckedPainterPath::takes(double value)
{
    if (std::isfinite(value) && std::fabs(value) < largestPathCoordinate)
        return true;
    m_lostCoordinate = true;
    return false;
}

void CheckedPainterPath::moveTo(const QPointF &point)
{
    if (takes(point))
        m_path.moveTo(point);
}

void CheckedPainterPath::lineTo(const QPointF &point)
{
    if (takes(point))
        m_path.lineTo(point);
}

void CheckedPainterPath::cubicTo(const QPointF &control1, const QPointF &control2, const QPointF &end)
{
    if (takes(control1) && takes(control2) && takes(end))
        m_path.cubicTo(control1, control2, end);
}

void CheckedPainterPath::quadTo(const QPointF &control, const QPointF &end)
{
    if (takes(control) && takes(end))
        m_path.quadTo(control, end);
}

// An angle is no coordinate, but one the path cannot take leaves the arc
// out just the same. Here a little stricter than QPainterPath, which may
// still find a start on a rectangle that arcTo then refuses.
void CheckedPainterPath::arcMoveTo(const QRectF &rect, double angle)
{
    if (takes(rect) && takes(angle))
        m_path.arcMoveTo(rect, angle);
}

void CheckedPainterPath::arcTo(const QRectF &rect, double startAngle, double sweepLength)
{
    if (!takes(rect) || !takes(startAngle) || !takes(sweepLength))
        return;
    if (m_curveTolerance > 0)
        addArcLines(rect, startAngle, sweepLength);
    else
        m_path.arcTo(rect, startAngle, sweepLength);
}

// Angles as QPainterPath takes them: degrees, counter-clockwise with y
// pointing down. Like arcTo, a line leads to the arc's start. A closing arc
// leaves its last line to closeSubpath(), which ends it exactly at the start.
void CheckedPainterPath::addArcLines(const QRectF &rect, double startAngle, double sweepLength, bool closing)
{
    constexpr double radiansPerDegree = 0.017453292519943295;
    const QPointF centre = rect.center();
    const double rx = rect.width() / 2;
    const double ry = rect.height() / 2;
    const double start = startAngle * radiansPerDegree;
    const double sweep = sweepLength * radiansPerDegree;
    const int segments = ellipticArcSegmentCount(std::max(std::fabs(rx), std::fabs(ry)), sweep, m_curveTolerance);
    const int last = closing ? segments - 1 : segments;
    for (int k = 0; k <= last; ++k) {
        const double angle = start + sweep * k / segments;
        const QPointF point(centre.x() + rx * std::cos(angle), centre.y() - ry * std::sin(angle));
        if (k > 0)
            m_path.lineTo(point);
        else if (m_path.elementCount() == 0)
            m_path.moveTo(point);
        else if (m_path.currentPosition() != point)
            m_path.lineTo(point);
    }
}

void CheckedPainterPath::addEllipse(const QPointF &centre, double rx, double ry)
{
    // The rectangle QPainterPath makes of them, which is what it checks.
    const QRectF rect(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry);
    if (!takes(rect))
        return;
    if (m_curveTolerance > 0) {
        m_path.moveTo(centre.x() + rx, centre.y());
        addArcLines(rect, 0, 360, true);
        m_path.closeSubpath();
    } else {
        m_path.addEllipse(centre, rx, ry);
    }
}

void CheckedPainterPath::addRect(const QRectF &rect)
{
    if (takes(rect))
        m_path.addRect(rect);
}

// QPainterPath bounds the radii by the rectangle itself, so only the
// rectangle can be refused.
void CheckedPainterPath::addRoundedRect(const QRectF &rect, double rx, double ry, Qt::SizeMode mode)
{
    if (takes(rect))
        m_path.addRoundedRect(rect, rx, ry, mode);
}

void CheckedPainterPath::clear()
{
    m_path.clear();
    m_lostCoordinate = false;
}

void CheckedPainterPath::transform(const QTransform &matrix)
{
    m_path = matrix.map(m_path);
}
