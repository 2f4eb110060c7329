#include "toolpathview.h"

#include <algorithm>
#include <cmath>

namespace {

// A drawing of a single point, or of one straight line along an axis,
// still shows this much around it.
constexpr double smallestFittedSpan = 10; // mm

} // namespace

ToolpathView::ToolpathView(double scale, const QPointF &origin)
    : m_scale(std::clamp(scale, minimumScale, maximumScale))
    , m_origin(origin)
{
}

QPointF ToolpathView::toDrawing(const QPointF &devicePoint) const
{
    return QPointF((devicePoint.x() - m_origin.x()) / m_scale, (m_origin.y() - devicePoint.y()) / m_scale);
}

QRectF ToolpathView::visibleDrawing(const QRectF &deviceArea) const
{
    return QRectF(toDrawing(deviceArea.bottomLeft()), toDrawing(deviceArea.topRight())).normalized();
}

void ToolpathView::fit(const QRectF &bounds, const QSizeF &deviceSize, double margin)
{
    const double width = std::max(bounds.width(), smallestFittedSpan);
    const double height = std::max(bounds.height(), smallestFittedSpan);
    const double room = std::max(1.0, deviceSize.width() - 2 * margin);
    const double roomHigh = std::max(1.0, deviceSize.height() - 2 * margin);
    m_scale = std::clamp(std::min(room / width, roomHigh / height), minimumScale, maximumScale);
    const QPointF centre = bounds.center();
    m_origin = QPointF(deviceSize.width() / 2 - centre.x() * m_scale, deviceSize.height() / 2 + centre.y() * m_scale);
}

void ToolpathView::zoomAbout(const QPointF &devicePoint, double factor)
{
    const QPointF held = toDrawing(devicePoint);
    m_scale = std::clamp(m_scale * factor, minimumScale, maximumScale);
    m_origin = QPointF(devicePoint.x() - held.x() * m_scale, devicePoint.y() + held.y() * m_scale);
}

void ToolpathView::panBy(const QPointF &deviceDelta)
{
    m_origin += deviceDelta;
}
