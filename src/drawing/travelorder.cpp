#include "travelorder.h"

#include "pointtree.h"
#include "tourimprovement.h"
#include "tourshapes.h"

#include "drawing.h"

#include <algorithm>
#include <cstddef>

namespace {

// Objects a move may bring each object next to.
constexpr int neighboursPerObject = 8;

// Where a tour may enter the objects: both ends of an open polyline, every
// vertex of a closed one, in file order.
struct Entries
{
    std::vector<PointTree::Point> points;
    std::vector<int> vertexOf;
    std::vector<int> firstOf; // per object, with one past the end
};

Entries entriesOf(const TourShapes &shapes)
{
    Entries entries;
    const auto add = [&](int object, int vertex) {
        const TourShapes::Vertex &v = shapes.vertex(object, vertex);
        entries.points.push_back({v.x, v.y, object});
        entries.vertexOf.push_back(vertex);
    };
    for (int object = 0; object < shapes.objectCount(); ++object) {
        entries.firstOf.push_back(int(entries.points.size()));
        const int count = shapes.pointCount(object);
        if (shapes.isClosed(object)) {
            for (int v = 0; v < shapes.distinctVertices(object); ++v)
                add(object, v);
        } else if (count > 0) {
            add(object, 0);
            if (count > 1)
                add(object, count - 1);
        }
    }
    entries.firstOf.push_back(int(entries.points.size()));
    return entries;
}

Tour nearestNeighbour(const TourShapes &shapes, const Entries &entries, PointTree &tree)
{
    Tour tour;
    TourShapes::Vertex tool{0, 0};
    for (;;) {
        const int id = tree.nearest(tool.x, tool.y);
        if (id < 0)
            break;
        const int object = entries.points[std::size_t(id)].owner;
        const TourStop stop = shapes.stopEnteringAt(object, entries.vertexOf[std::size_t(id)]);
        tour.push_back(stop);
        for (int e = entries.firstOf[std::size_t(object)]; e < entries.firstOf[std::size_t(object) + 1]; ++e)
            tree.remove(e);
        tool = shapes.exit(stop);
    }
    return tour;
}

// Building the tour takes part of the budget, counted rather than timed: a
// move for every start found and for every neighbour listed. The moves
// always keep half the budget, or a large drawing would get none.
long long improvementMoves(const Entries &entries, const NeighbourLists &neighbours, double budgetSeconds)
{
    if (!(budgetSeconds > 0))
        return 0;
    // Far more than any drawing could use, and still countable.
    const double moves = std::min(budgetSeconds * movesPerSecond, 1e15);
    const double building = double(entries.points.size()) + double(neighbours.objects.size());
    return static_cast<long long>(std::max(moves - building, moves / 2));
}

double lengthOf(const TourShapes &shapes, const Tour &tour)
{
    double length = 0;
    TourShapes::Vertex tool{0, 0};
    for (const TourStop &stop : tour) {
        length += distance(tool, shapes.entry(stop));
        tool = shapes.exit(stop);
    }
    return length;
}

} // namespace

Tour fileOrderTour(const Drawing &drawing)
{
    Tour tour;
    int index = 0;
    for (const DrawingObject &object : drawing.objects()) {
        if (!object.points.isEmpty())
            tour.push_back(TourStop{index, 0, false});
        ++index;
    }
    return tour;
}

Tour nearestNeighbourTour(const Drawing &drawing)
{
    const TourShapes shapes(drawing);
    const Entries entries = entriesOf(shapes);
    PointTree tree(entries.points);
    return nearestNeighbour(shapes, entries, tree);
}

Tour shortTravelTour(const Drawing &drawing, double budgetSeconds)
{
    const TourShapes shapes(drawing);
    const Entries entries = entriesOf(shapes);
    PointTree tree(entries.points);
    const Tour greedy = nearestNeighbour(shapes, entries, tree);
    const NeighbourLists neighbours = nearestObjects(shapes, neighboursPerObject);
    Tour improved = greedy;
    improveTour(shapes, neighbours, improved, improvementMoves(entries, neighbours, budgetSeconds));
    // Rounding could in principle add up the other way over a long tour.
    return lengthOf(shapes, improved) <= lengthOf(shapes, greedy) ? improved : greedy;
}

double travelLength(const Drawing &drawing, const Tour &tour)
{
    return lengthOf(TourShapes(drawing), tour);
}
