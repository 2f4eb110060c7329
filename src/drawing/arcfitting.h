#pragma once

#include <QPointF>

#include <vector>

// A run of a polyline's vertices that a circular arc may stand for: from
// vertex `first` to vertex `last` (at least two segments), around `centre`,
// clockwise or not in drawing coordinates (y up).
struct FittedArc
{
    int first = 0;
    int last = 0;
    QPointF centre;
    bool clockwise = false;
};

// The arcs that can replace runs of `points`, in order and not overlapping.
// An arc keeps the vertices at its two ends, its centre lies on the
// perpendicular bisector of them so that both are on it, every vertex it
// replaces lies within `tolerance` of it, and no segment it replaces strays
// farther than `tolerance` from it. A run of more than half a turn gives two
// arcs, split near its middle, so that a full circle becomes two.
std::vector<FittedArc> fitArcs(const std::vector<QPointF> &points, double tolerance);
