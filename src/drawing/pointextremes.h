#pragma once

#include <QRectF>

#include <limits>

// Running extremes over a set of points, as the readers take them for a
// drawing's bounds. A coordinate replaces an extreme only when strictly
// beyond it, so NaN never becomes one.
class PointExtremes
{
public:
    void add(double x, double y)
    {
        if (x > m_maxX)
            m_maxX = x;
        if (x < m_minX)
            m_minX = x;
        if (y > m_maxY)
            m_maxY = y;
        if (y < m_minY)
            m_minY = y;
    }

    // Nothing has been added, or nothing but NaN x coordinates.
    bool isEmpty() const { return m_minX == largest; }

    // (min x, min y, max x - min x, max y - min y); from an empty set the
    // differences overflow to -infinity.
    QRectF rect() const { return QRectF(m_minX, m_minY, m_maxX - m_minX, m_maxY - m_minY); }

private:
    static constexpr double largest = std::numeric_limits<double>::max();

    double m_minX = largest;
    double m_minY = largest;
    double m_maxX = -largest;
    double m_maxY = -largest;
};
