#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

// How the drawing lies on a device: millimetres to pixels, the y axis up as
// on the machine. Zooming keeps the drawing point under a device point
// where it is.
class ToolpathView
{
public:
    ToolpathView() = default;
    // Pixels per millimetre, and where the machine origin lies on the device.
    ToolpathView(double scale, const QPointF &origin);

    double scale() const { return m_scale; }
    QPointF origin() const { return m_origin; }

    // Inline: the painter calls it for every vertex.
    QPointF toDevice(const QPointF &drawingPoint) const
    {
        return QPointF(m_origin.x() + drawingPoint.x() * m_scale, m_origin.y() - drawingPoint.y() * m_scale);
    }
    QPointF toDrawing(const QPointF &devicePoint) const;
    // The drawing's part that a device area shows.
    QRectF visibleDrawing(const QRectF &deviceArea) const;

    // Shows the whole of bounds, centred, with margin pixels free around it.
    void fit(const QRectF &bounds, const QSizeF &deviceSize, double margin);
    void zoomAbout(const QPointF &devicePoint, double factor);
    void panBy(const QPointF &deviceDelta);

    static constexpr double minimumScale = 1e-6;
    static constexpr double maximumScale = 1e5;

private:
    double m_scale = 1;
    QPointF m_origin;
};
