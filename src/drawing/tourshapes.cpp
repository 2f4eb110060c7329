#include "tourshapes.h"

#include "drawing.h"

#include <cstddef>

TourShapes::TourShapes(const Drawing &drawing)
{
    std::size_t vertices = 0;
    for (const DrawingObject &object : drawing.objects())
        vertices += std::size_t(object.points.size());
    m_vertices.reserve(vertices);
    m_first.reserve(std::size_t(drawing.objects().size()));
    m_count.reserve(std::size_t(drawing.objects().size()));
    m_closed.reserve(std::size_t(drawing.objects().size()));
    for (const DrawingObject &object : drawing.objects()) {
        m_first.push_back(int(m_vertices.size()));
        m_count.push_back(object.points.size());
        for (const DrawingPoint *point : object.points)
            m_vertices.push_back({point->x, point->y});
        const Vertex &first = m_vertices[std::size_t(m_first.back())];
        // Exactly equal only: starting elsewhere writes the first point in
        // place of the last, which must then be the same number.
        m_closed.push_back(object.points.size() >= 3 && first.x == m_vertices.back().x
                           && first.y == m_vertices.back().y);
    }
}

const TourShapes::Vertex &TourShapes::entry(const TourStop &stop) const
{
    return vertex(stop.object, stop.startVertex);
}

const TourShapes::Vertex &TourShapes::exit(const TourStop &stop) const
{
    if (isClosed(stop.object))
        return vertex(stop.object, stop.startVertex);
    return vertex(stop.object, stop.reversed ? 0 : pointCount(stop.object) - 1);
}

TourStop TourShapes::reversed(const TourStop &stop) const
{
    TourStop turned = stop;
    turned.reversed = !stop.reversed;
    if (!isClosed(stop.object))
        turned.startVertex = turned.reversed ? pointCount(stop.object) - 1 : 0;
    return turned;
}

TourStop TourShapes::stopEnteringAt(int object, int vertexIndex) const
{
    TourStop stop;
    stop.object = object;
    stop.startVertex = vertexIndex;
    stop.reversed = !isClosed(object) && vertexIndex != 0;
    return stop;
}

const TourShapes::Vertex &TourShapes::pointAt(const TourStop &stop, int i) const
{
    const int count = pointCount(stop.object);
    if (!isClosed(stop.object))
        return vertex(stop.object, stop.reversed ? count - 1 - i : i);
    const int distinct = count - 1;
    const int step = stop.reversed ? distinct - i % distinct : i;
    return vertex(stop.object, (stop.startVertex + step) % distinct);
}
