#pragma once

#include <QPointF>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

// A true curve in millimetres, over the parameter 0..1.
using CurvePoint = std::function<QPointF(double)>;

inline double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// The farthest that a sample of the true curve lies from the polyline.
inline double largestStray(const CurvePoint &curve, const QVector<QPointF> &polyline, int samples)
{
    double largest = 0;
    for (int s = 0; s <= samples; ++s) {
        const QPointF p = curve(double(s) / samples);
        double nearest = std::numeric_limits<double>::infinity();
        for (int k = 1; k < polyline.size(); ++k)
            nearest = std::min(nearest, distanceToSegment(p, polyline.at(k - 1), polyline.at(k)));
        largest = std::max(largest, nearest);
    }
    return largest;
}
