#pragma once

#include <QPointF>
#include <QTransform>

// How a plotter places user units on its own units: the scaling points P1
// and P2 (IP), the scaling that maps a user window onto them (SC) and the
// rotation of the whole system (RO). The plotter's sheet is not known
// here, so P1 and P2 are known only once IP has set them, and rotation
// turns about the plotter origin rather than about a corner of the sheet.
class HpglCoordinateSystem
{
public:
    enum Outcome { Applied, EmptyWindow, WithoutScalingPoints, Unreadable };

    // What IN does: no scaling, no rotation, P1 and P2 unknown.
    void reset() { *this = HpglCoordinateSystem(); }
    // IP: P1 alone moves P2 along with it; P1 on P2 moves P2 one unit
    // further, as the plotter does.
    void setScalingPoints(const QPointF &p1);
    void setScalingPoints(const QPointF &p1, const QPointF &p2);
    void forgetScalingPoints();
    // SC with its parameters, up to seven; none turns scaling off.
    Outcome setScaling(const double *parameters, int count);
    // RO: 0, 90, 180 or 270 degrees.
    Outcome setRotation(double degrees);

    // From user units to plotter units, rotated.
    const QTransform &userToPlotter() const { return m_userToPlotter; }

private:
    void update();

    bool m_pointsKnown = false;
    QPointF m_p1;
    QPointF m_p2;
    bool m_scaling = false;
    double m_scalingParameters[7] = {};
    int m_scalingType = 0;
    int m_rotationDegrees = 0;
    QTransform m_scale;
    QTransform m_userToPlotter;
};
