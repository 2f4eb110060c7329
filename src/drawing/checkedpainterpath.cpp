#include "checkedpainterpath.h"

#include <QTransform>

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
    if (takes(rect) && takes(startAngle) && takes(sweepLength))
        m_path.arcTo(rect, startAngle, sweepLength);
}

void CheckedPainterPath::addEllipse(const QPointF &centre, double rx, double ry)
{
    // The rectangle QPainterPath makes of them, which is what it checks.
    if (takes(QRectF(centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry)))
        m_path.addEllipse(centre, rx, ry);
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
