#pragma once

#include <QPointF>

// How finely a curve is broken into lines so that no point of it lies
// farther than a tolerance from them. A hostile size or tolerance cannot
// ask for more than maximumCurveSegments lines per curve.
constexpr int maximumCurveSegments = 100000;

// Lines for an elliptic arc of `sweepRadians`, its larger radius
// `largerRadius`, in equal steps of the ellipse's angle parameter: each line
// stays within `tolerance` of the arc it spans, since an ellipse bends no
// tighter than its larger radius allows in that parameter.
int ellipticArcSegmentCount(double largerRadius, double sweepRadians, double tolerance);

// Lines for a cubic Bézier piece in equal parameter steps: its second
// derivative bounds how far a line strays from the curve it spans.
int cubicSegmentCount(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3, double tolerance);
