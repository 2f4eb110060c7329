#pragma once

#include <QPointF>
#include <QRect>
#include <QRgb>

#include <optional>

class QImage;
class QPainter;

// Draws lines one pixel wide, unsmoothed and opaque, straight into the
// pixels of an image. A million short lines or a hundred thousand long
// dashed ones cost the painter far more than the pixels they set: its
// stroker prepares every line as if it were wide or smoothed.
//
// The pixel of a point is the one it lies in; a line sets the pixels of
// its ends and one pixel for every step along its longer axis between.
class ThinLineRasteriser
{
public:
    // Only for painters that paint unscaled into an image of 32-bit pixels
    // that nothing else shares; lines are kept within clip.
    static std::optional<ThinLineRasteriser> into(QPainter &painter, const QRect &clip);

    ThinLineRasteriser(QImage &image, const QRect &clip);

    void setColour(QRgb opaqueColour) { m_colour = opaqueColour; }
    // Each line starts with on pixels set, then off pixels left alone, and
    // so on; off 0 draws solid.
    void setDash(int on, int off);

    void drawLine(QPointF a, QPointF b);

    // A polyline a point at a time, each piece as drawLine draws it; cheapest
    // where the points lie on the same or neighbouring pixels, as most of
    // those of a large drawing do.
    void moveTo(const QPointF &point);
    void lineTo(const QPointF &point);

private:
    QRgb &pixelAt(int x, int y) { return reinterpret_cast<QRgb *>(m_bits + y * m_bytesPerLine)[x]; }
    bool inside(const QPointF &p) const
    {
        return m_box.left() <= p.x() && p.x() < m_box.right() && m_box.top() <= p.y() && p.y() < m_box.bottom();
    }

    uchar *m_bits;
    qsizetype m_bytesPerLine;
    QRect m_clip;
    QRectF m_box;
    QRgb m_colour = 0xff000000;
    int m_on = 1;
    int m_period = 1;
    // Where lineTo starts, and its pixel when inside.
    QPointF m_at;
    bool m_atInside = false;
    int m_atX = 0;
    int m_atY = 0;
};
