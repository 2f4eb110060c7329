#include "coordinatesystem.h"

#include <algorithm>
#include <cmath>

namespace {

bool isUsable(const QTransform &t)
{
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m21()) && std::isfinite(t.m22())
        && std::isfinite(t.dx()) && std::isfinite(t.dy()) && t.m11() != 0 && t.m22() != 0;
}

} // namespace

void HpglCoordinateSystem::setScalingPoints(const QPointF &p1)
{
    setScalingPoints(p1, m_pointsKnown ? p1 + (m_p2 - m_p1) : p1);
}

void HpglCoordinateSystem::setScalingPoints(const QPointF &p1, const QPointF &p2)
{
    m_p1 = p1;
    m_p2 = p2;
    if (m_p2.x() == m_p1.x())
        m_p2.rx() += 1;
    if (m_p2.y() == m_p1.y())
        m_p2.ry() += 1;
    m_pointsKnown = true;
    update();
}

void HpglCoordinateSystem::forgetScalingPoints()
{
    m_pointsKnown = false;
    update();
}

HpglCoordinateSystem::Outcome HpglCoordinateSystem::setScaling(const double *parameters, int count)
{
    if (count == 0) {
        m_scaling = false;
        update();
        return Applied;
    }
    if (count < 4 || count == 6 || count > 7)
        return Unreadable;
    // Compared as read: a type far out of range is no integer.
    const double typeParameter = count >= 5 ? parameters[4] : 0;
    if (typeParameter != 0 && typeParameter != 1 && typeParameter != 2)
        return Unreadable;
    const int type = int(typeParameter);
    if (count == 7 && type != 1)
        return Unreadable;
    if (type == 2 ? parameters[1] == 0 || parameters[3] == 0
                  : parameters[0] == parameters[1] || parameters[2] == parameters[3])
        return EmptyWindow;
    if (type != 2 && !m_pointsKnown)
        return WithoutScalingPoints;
    const bool wasScaling = m_scaling;
    double previous[7];
    std::copy(m_scalingParameters, m_scalingParameters + 7, previous);
    const int previousType = m_scalingType;
    std::fill(m_scalingParameters, m_scalingParameters + 7, 0.0);
    std::copy(parameters, parameters + count, m_scalingParameters);
    if (type == 1 && count < 7)
        m_scalingParameters[5] = m_scalingParameters[6] = 50;
    m_scalingType = type;
    m_scaling = true;
    update();
    if (isUsable(m_scale))
        return Applied;
    m_scaling = wasScaling;
    m_scalingType = previousType;
    std::copy(previous, previous + 7, m_scalingParameters);
    update();
    return EmptyWindow;
}

HpglCoordinateSystem::Outcome HpglCoordinateSystem::setRotation(double degrees)
{
    if (degrees != 0 && degrees != 90 && degrees != 180 && degrees != 270)
        return Unreadable;
    m_rotationDegrees = int(degrees);
    update();
    return Applied;
}

void HpglCoordinateSystem::update()
{
    m_scale = QTransform();
    if (m_scaling) {
        const double *p = m_scalingParameters;
        if (m_scalingType == 2) {
            // A user point and the plotter units per user unit. Without IP,
            // P1 is the plotter origin.
            const QPointF p1 = m_pointsKnown ? m_p1 : QPointF();
            m_scale = QTransform(p[1], 0, 0, p[3], p1.x() - p[0] * p[1], p1.y() - p[2] * p[3]);
        } else {
            double sx = (m_p2.x() - m_p1.x()) / (p[1] - p[0]);
            double sy = (m_p2.y() - m_p1.y()) / (p[3] - p[2]);
            double offsetX = 0;
            double offsetY = 0;
            if (m_scalingType == 1) {
                // The same scale both ways; the window sits in the room
                // left over at the percentages given, halfway by default.
                const double s = std::min(std::abs(sx), std::abs(sy));
                sx = std::copysign(s, sx);
                sy = std::copysign(s, sy);
                offsetX = ((m_p2.x() - m_p1.x()) - (p[1] - p[0]) * sx) * p[5] / 100;
                offsetY = ((m_p2.y() - m_p1.y()) - (p[3] - p[2]) * sy) * p[6] / 100;
            }
            m_scale = QTransform(sx, 0, 0, sy, m_p1.x() + offsetX - p[0] * sx, m_p1.y() + offsetY - p[2] * sy);
        }
    }
    QTransform rotation;
    switch (m_rotationDegrees) {
    case 90:
        rotation = QTransform(0, 1, -1, 0, 0, 0);
        break;
    case 180:
        rotation = QTransform(-1, 0, 0, -1, 0, 0);
        break;
    case 270:
        rotation = QTransform(0, -1, 1, 0, 0, 0);
        break;
    default:
        break;
    }
    m_userToPlotter = m_scale * rotation;
}
