#include "tourimprovement.h"

#include "pointtree.h"
#include "tourshapes.h"

#include <algorithm>
#include <cstdlib>
#include <cstddef>

namespace {

constexpr int neighboursPerPlace = 8;
// Places a closed object is asked for neighbours from, spread round it.
constexpr int placesPerClosedObject = 4;
// Evaluations and moved stops per second of budget, about what one core
// of a modest machine manages. A count rather than a clock, so that the
// result does not depend on the machine or on how busy it is.
constexpr double workPerSecond = 5e6;
// Stops a move may shift: on a large drawing a few moves across the whole
// tour would use up the budget that thousands of nearby ones put to better use.
constexpr int longestShift = 1000;
// Smaller gains are rounding, and taking them could loop for ever.
constexpr double leastGain = 1e-9;

using Vertex = TourShapes::Vertex;

class Improver
{
public:
    Improver(const TourShapes &shapes, const NeighbourLists &neighbours, Tour &tour, double budgetSeconds)
        : m_shapes(shapes)
        , m_neighbours(neighbours)
        , m_tour(tour)
        , m_size(int(tour.size()))
        , m_workLimit(budgetSeconds > 0 ? static_cast<long long>(budgetSeconds * workPerSecond) : 0)
        , m_position(std::size_t(shapes.objectCount()), -1)
    {
        for (int p = 0; p < m_size; ++p)
            m_position[std::size_t(tour[std::size_t(p)].object)] = p;
    }

    void run()
    {
        bool shortened = true;
        while (shortened && !exhausted()) {
            shortened = false;
            for (int boundary = 0; boundary <= m_size && !exhausted(); ++boundary) {
                while (!exhausted() && tryTwoOpt(boundary))
                    shortened = true;
            }
            for (int start = 0; start < m_size && !exhausted(); ++start) {
                for (int length = 1; length <= 3 && !exhausted(); ++length) {
                    if (tryOrOpt(start, length))
                        shortened = true;
                }
            }
            if (!exhausted() && reenterClosed())
                shortened = true;
        }
    }

private:
    bool exhausted() const { return m_work >= m_workLimit; }

    Vertex exitAt(int p) const { return p < 0 ? Vertex{0, 0} : m_shapes.exit(stop(p)); }
    const Vertex &entryAt(int p) const { return m_shapes.entry(stop(p)); }
    const TourStop &stop(int p) const { return m_tour[std::size_t(p)]; }

    template<typename Visit>
    void forNeighbours(int object, Visit visit) const
    {
        if (object < 0) {
            for (int other : m_neighbours.ofOrigin)
                visit(other);
            return;
        }
        const std::size_t o = std::size_t(object);
        for (int i = m_neighbours.firstOf[o]; i < m_neighbours.firstOf[o + 1]; ++i)
            visit(m_neighbours.objects[std::size_t(i)]);
    }

    void place(int from, int to)
    {
        for (int p = from; p <= to; ++p)
            m_position[std::size_t(stop(p).object)] = p;
        m_work += to - from + 1;
    }

    void reverse(int from, int to)
    {
        std::reverse(m_tour.begin() + from, m_tour.begin() + to + 1);
        for (int p = from; p <= to; ++p)
            m_tour[std::size_t(p)] = m_shapes.reversed(stop(p));
        place(from, to);
    }

    // Makes the stop before the boundary (or the origin) meet one of its
    // neighbours by taking the run between them backwards.
    bool tryTwoOpt(int boundary)
    {
        const int before = boundary - 1;
        const Vertex from = exitAt(before);
        bool moved = false;
        forNeighbours(before < 0 ? -1 : stop(before).object, [&](int other) {
            if (moved)
                return;
            ++m_work;
            const int j = m_position[std::size_t(other)];
            if (std::abs(j - boundary) > longestShift)
                return;
            if (j >= boundary) {
                const bool hasNext = j + 1 < m_size;
                double change = distance(from, exitAt(j)) - distance(from, entryAt(boundary));
                if (hasNext)
                    change += distance(entryAt(boundary), entryAt(j + 1)) - distance(exitAt(j), entryAt(j + 1));
                if (change < -leastGain) {
                    reverse(boundary, j);
                    moved = true;
                }
            } else if (j < before) {
                const bool hasNext = boundary < m_size;
                double change = distance(exitAt(j), from) - distance(exitAt(j), entryAt(j + 1));
                if (hasNext)
                    change += distance(entryAt(j + 1), entryAt(boundary)) - distance(from, entryAt(boundary));
                if (change < -leastGain) {
                    reverse(j + 1, before);
                    moved = true;
                }
            }
        });
        return moved;
    }

    // Moves the run of length stops from start between two stops next to
    // a neighbour of its ends, forwards or backwards.
    bool tryOrOpt(int start, int length)
    {
        const int last = start + length - 1;
        if (last >= m_size)
            return false;
        const Vertex before = exitAt(start - 1);
        const Vertex runEntry = entryAt(start);
        const Vertex runExit = exitAt(last);
        double saved = distance(before, runEntry);
        if (last + 1 < m_size)
            saved += distance(runExit, entryAt(last + 1)) - distance(before, entryAt(last + 1));

        double bestChange = -leastGain;
        int bestAfter = 0;
        bool bestReversed = false;
        const auto consider = [&](int after) {
            if ((after >= start - 1 && after <= last) || std::abs(after - start) > longestShift)
                return;
            ++m_work;
            const Vertex a = exitAt(after);
            const bool hasNext = after + 1 < m_size;
            double forwards = distance(a, runEntry) - saved;
            double backwards = distance(a, runExit) - saved;
            if (hasNext) {
                const Vertex &b = entryAt(after + 1);
                const double kept = distance(a, b);
                forwards += distance(runExit, b) - kept;
                backwards += distance(runEntry, b) - kept;
            }
            if (forwards < bestChange) {
                bestChange = forwards;
                bestAfter = after;
                bestReversed = false;
            }
            if (backwards < bestChange) {
                bestChange = backwards;
                bestAfter = after;
                bestReversed = true;
            }
        };
        const auto visit = [&](int other) {
            const int j = m_position[std::size_t(other)];
            consider(j - 1);
            consider(j);
        };
        forNeighbours(stop(start).object, visit);
        if (length > 1)
            forNeighbours(stop(last).object, visit);
        if (bestChange >= -leastGain)
            return false;

        int runStart;
        if (bestAfter > last) {
            std::rotate(m_tour.begin() + start, m_tour.begin() + last + 1, m_tour.begin() + bestAfter + 1);
            place(start, bestAfter);
            runStart = bestAfter - length + 1;
        } else {
            std::rotate(m_tour.begin() + bestAfter + 1, m_tour.begin() + start, m_tour.begin() + last + 1);
            place(bestAfter + 1, last);
            runStart = bestAfter + 1;
        }
        if (bestReversed)
            reverse(runStart, runStart + length - 1);
        return true;
    }

    // Lets each closed object start at the vertex nearest to both of its
    // neighbours in the tour.
    bool reenterClosed()
    {
        bool changed = false;
        for (int p = 0; p < m_size && !exhausted(); ++p) {
            TourStop &here = m_tour[std::size_t(p)];
            if (!m_shapes.isClosed(here.object))
                continue;
            const Vertex from = exitAt(p - 1);
            const bool hasNext = p + 1 < m_size;
            const auto cost = [&](const Vertex &v) {
                return distance(from, v) + (hasNext ? distance(v, entryAt(p + 1)) : 0.0);
            };
            double best = cost(m_shapes.entry(here)) - leastGain;
            const int vertices = m_shapes.distinctVertices(here.object);
            m_work += vertices;
            for (int v = 0; v < vertices; ++v) {
                const double c = cost(m_shapes.vertex(here.object, v));
                if (c < best) {
                    best = c;
                    here.startVertex = v;
                    changed = true;
                }
            }
        }
        return changed;
    }

    const TourShapes &m_shapes;
    const NeighbourLists &m_neighbours;
    Tour &m_tour;
    const int m_size;
    const long long m_workLimit;
    long long m_work = 0;
    std::vector<int> m_position;
};

void appendUnique(std::vector<int> &list, std::size_t from, const std::vector<int> &found)
{
    for (int object : found) {
        if (std::find(list.begin() + std::ptrdiff_t(from), list.end(), object) == list.end())
            list.push_back(object);
    }
}

} // namespace

NeighbourLists nearestObjects(const TourShapes &shapes, const PointTree &tree)
{
    NeighbourLists lists;
    for (int object = 0; object < shapes.objectCount(); ++object) {
        lists.firstOf.push_back(int(lists.objects.size()));
        const std::size_t from = lists.objects.size();
        const int count = shapes.pointCount(object);
        const auto near = [&](int vertex) {
            const Vertex &v = shapes.vertex(object, vertex);
            appendUnique(lists.objects, from, tree.nearestOwners(v.x, v.y, neighboursPerPlace, object));
        };
        if (shapes.isClosed(object)) {
            const int vertices = shapes.distinctVertices(object);
            const int places = std::min(vertices, placesPerClosedObject);
            for (int i = 0; i < places; ++i)
                near(i * vertices / places);
        } else if (count > 0) {
            near(0);
            if (count > 1)
                near(count - 1);
        }
    }
    lists.firstOf.push_back(int(lists.objects.size()));
    lists.ofOrigin = tree.nearestOwners(0, 0, neighboursPerPlace, -1);
    return lists;
}

void improveTour(const TourShapes &shapes, const NeighbourLists &neighbours, Tour &tour, double budgetSeconds)
{
    Improver(shapes, neighbours, tour, budgetSeconds).run();
}
