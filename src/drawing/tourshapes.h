#pragma once

#include "travelorder.h"

#include <cmath>
#include <vector>

class Drawing;

// The vertices of a drawing's objects copied side by side, with where a
// tour may enter and leave each object.
class TourShapes
{
public:
    struct Vertex
    {
        double x;
        double y;
    };

    explicit TourShapes(const Drawing &drawing);

    int objectCount() const { return int(m_first.size()); }
    int pointCount(int object) const { return m_count[std::size_t(object)]; }
    bool isClosed(int object) const { return m_closed[std::size_t(object)]; }
    // Vertices a closed object may start at: all but its repeated last one.
    int distinctVertices(int object) const { return pointCount(object) - 1; }
    const Vertex &vertex(int object, int i) const { return m_vertices[std::size_t(m_first[std::size_t(object)] + i)]; }

    const Vertex &entry(const TourStop &stop) const;
    const Vertex &exit(const TourStop &stop) const;
    // The stop turned round: an open object cut from its other end, a
    // closed one round the other way from the same vertex.
    TourStop reversed(const TourStop &stop) const;
    TourStop stopEnteringAt(int object, int vertexIndex) const;

    // The i-th point the tool cuts at that stop.
    const Vertex &pointAt(const TourStop &stop, int i) const;

private:
    std::vector<Vertex> m_vertices;
    std::vector<int> m_first;
    std::vector<int> m_count;
    std::vector<bool> m_closed;
};

// Not hypot: the square root is as exact for drawing coordinates, gives the
// same on every machine, and is several times faster.
inline double distance(const TourShapes::Vertex &a, const TourShapes::Vertex &b)
{
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}
