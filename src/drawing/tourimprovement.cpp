#include "tourimprovement.h"

#include "pointtree.h"
#include "tourshapes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <deque>

namespace {

// Places a closed object is asked for neighbours from, spread round it.
constexpr int placesPerClosedObject = 2;
// Moving a stop takes about an eighth of the time of trying a move, so work
// is counted in eighths of a move.
constexpr long long workPerMove = 8;
// Stops a move may shift: far beyond this, a move costs more than the many
// nearby ones the same work would pay for.
constexpr int longestShift = 50000;
// The longest run an Or-opt move carries elsewhere.
constexpr int longestRun = 3;
// Smaller gains are rounding, and taking them could loop for ever.
constexpr double leastGain = 1e-9;

using Vertex = TourShapes::Vertex;

// Works through the objects in a queue: each tries the moves that bring it
// next to one of its neighbours, and the objects whose links a move changes
// queue up again. Objects nothing has changed around are not looked at twice.
class Improver
{
public:
    Improver(const TourShapes &shapes, const NeighbourLists &neighbours, Tour &tour, long long moveBudget)
        : m_shapes(shapes)
        , m_neighbours(neighbours)
        , m_tour(tour)
        , m_size(int(tour.size()))
        , m_workLimit(moveBudget > 0 ? moveBudget * workPerMove : 0)
        , m_position(std::size_t(shapes.objectCount()), -1)
        , m_queued(std::size_t(shapes.objectCount()), false)
    {
        for (int p = 0; p < m_size; ++p)
            m_position[std::size_t(stop(p).object)] = p;
    }

    // First only the 2-opt moves most likely to pay, which is where a large
    // drawing's budget ends; then, if work is left, all of them; then, while
    // work is left, the tour is shaken up in one place at a time and
    // improved again there, keeping the result only if it is shorter.
    void run()
    {
        for (const bool pruning : {true, false}) {
            m_pruning = pruning;
            queueByLinks();
            improveQueued();
        }
        if (m_size < 8) // too few to swap two runs inside
            return;
        Tour best = m_tour;
        // Past this many in vain in a row, more are unlikely to help, and a
        // huge budget must not keep the ordering busy for ever.
        const long long hopelessKicks = 2LL * m_size + 100;
        long long kicksInVain = 0;
        for (long long kicks = 0; !exhausted() && kicksInVain < hopelessKicks && kicks < 10 * hopelessKicks; ++kicks) {
            m_change = 0;
            kick();
            improveQueued();
            ++kicksInVain;
            if (m_change < -leastGain) {
                best = m_tour;
                kicksInVain = 0;
            } else {
                m_tour = best;
                place(0, m_size - 1);
            }
            // Copying the tour both ways costs a quarter of a move a stop.
            m_work += m_size * workPerMove / 4;
        }
        m_tour = best;
    }

private:
    void improveQueued()
    {
        while (!m_queue.empty() && !exhausted()) {
            const int object = m_queue.front();
            m_queue.pop_front();
            m_queued[std::size_t(object)] = false;
            const int p = m_position[std::size_t(object)];
            if (!tryNewEntry(p) && !tryReversal(p))
                tryOrOpt(p);
        }
        // Left over when the budget ends, for nothing.
        for (int object : m_queue)
            m_queued[std::size_t(object)] = false;
        m_queue.clear();
    }

    // A fixed sequence of numbers, the same on every machine.
    int nextRandom(int below)
    {
        m_random = m_random * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((m_random >> 33) % static_cast<unsigned long long>(below));
    }

    // Two short runs next to each other swap places, which no single move
    // the queue tries could do.
    void kick()
    {
        const int longestKick = std::min(50, (m_size - 2) / 2);
        const int first = nextRandom(m_size - 2 * longestKick) + 1;
        const int lengthA = nextRandom(longestKick) + 1;
        const int lengthB = nextRandom(longestKick) + 1;
        const int last = first + lengthA + lengthB - 1;
        const double before = link(first - 1) + link(first + lengthA - 1) + link(last);
        std::rotate(m_tour.begin() + first, m_tour.begin() + first + lengthA, m_tour.begin() + last + 1);
        place(first, last);
        m_change += link(first - 1) + link(first + lengthB - 1) + link(last) - before;
        for (int q : {first - 1, first, first + lengthB - 1, first + lengthB, last, last + 1})
            requeue(q);
    }

    bool exhausted() const { return m_work >= m_workLimit; }

    const TourStop &stop(int p) const { return m_tour[std::size_t(p)]; }
    Vertex exitAt(int p) const { return p < 0 ? Vertex{0, 0} : m_shapes.exit(stop(p)); }
    const Vertex &entryAt(int p) const { return m_shapes.entry(stop(p)); }
    // The travel from the stop at p, or from the origin at -1, to the next.
    double link(int p) const { return p + 1 < m_size ? distance(exitAt(p), entryAt(p + 1)) : 0.0; }

    // The longest links first: they are where a tour built by going to
    // the nearest object gains most, should the budget end early.
    void queueByLinks()
    {
        std::vector<std::pair<double, int>> order;
        order.reserve(std::size_t(m_size));
        for (int p = 0; p < m_size; ++p) {
            const double around = link(p - 1) + link(p);
            // Sorting needs numbers that compare.
            order.emplace_back(std::isnan(around) ? 0.0 : -around, p);
        }
        std::sort(order.begin(), order.end());
        for (const auto &entry : order)
            queue(entry.second);
    }

    void queue(int p)
    {
        if (p < 0 || p >= m_size)
            return;
        const std::size_t object = std::size_t(stop(p).object);
        if (!m_queued[object]) {
            m_queued[object] = true;
            m_queue.push_back(int(object));
        }
    }

    // Objects a move has just passed by come next, while what they are
    // near is still fresh.
    void requeue(int p)
    {
        if (p < 0 || p >= m_size)
            return;
        const std::size_t object = std::size_t(stop(p).object);
        if (!m_queued[object]) {
            m_queued[object] = true;
            m_queue.push_front(int(object));
        }
    }

    template<typename Visit>
    void forNeighbours(int object, Visit visit) const
    {
        const std::size_t o = std::size_t(object);
        for (int i = m_neighbours.firstOf[o]; i < m_neighbours.firstOf[o + 1]; ++i)
            visit(m_position[std::size_t(m_neighbours.objects[std::size_t(i)])]);
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

    // What taking the stops from first to last backwards changes: the stop
    // at last, turned round, then leaves from where it entered before.
    double reversalChange(int first, int last) const
    {
        double change = distance(exitAt(first - 1), exitAt(last)) - link(first - 1);
        if (last + 1 < m_size)
            change += distance(entryAt(first), entryAt(last + 1)) - link(last);
        return change;
    }

    // 2-opt: the stop at p meets a neighbour at either of its links by
    // taking the run between them backwards; an open stop on its own may
    // also just turn round. The first stop may also meet one near the origin.
    bool tryReversal(int p)
    {
        double bestChange = -leastGain;
        int bestFirst = 0, bestLast = -1;
        const auto consider = [&](int first, int last) {
            if (first > last || last - first >= longestShift)
                return;
            m_work += workPerMove;
            const double change = reversalChange(first, last);
            if (change < bestChange) {
                bestChange = change;
                bestFirst = first;
                bestLast = last;
            }
        };
        // A move that shortens the tour makes at least one of its new links
        // shorter than the old one beside it; looking from both ends of
        // every link, only those need trying. Checking costs a quarter.
        const auto shorter = [&](const Vertex &a, const Vertex &b, double old) {
            if (!m_pruning)
                return true;
            m_work += workPerMove / 4;
            return distance(a, b) < old;
        };
        const Vertex out = exitAt(p);
        const Vertex &in = entryAt(p);
        const double outLink = link(p);
        const double inLink = link(p - 1);
        if (!m_shapes.isClosed(stop(p).object))
            consider(p, p);
        forNeighbours(stop(p).object, [&](int q) {
            if (q > p) {
                if (shorter(out, exitAt(q), outLink))
                    consider(p + 1, q); // leaves p for where q ends
                if (shorter(in, entryAt(q), inLink))
                    consider(p, q - 1); // enters p from where q starts
            } else {
                if (shorter(out, exitAt(q), outLink))
                    consider(q + 1, p);
                if (shorter(in, entryAt(q), inLink))
                    consider(q, p - 1);
            }
        });
        if (p == 0) {
            for (int other : m_neighbours.ofOrigin)
                consider(0, m_position[std::size_t(other)]);
        }
        if (bestLast < 0)
            return false;
        m_change += bestChange;
        reverse(bestFirst, bestLast);
        for (int q : {bestFirst - 1, bestFirst, bestLast, bestLast + 1})
            requeue(q);
        return true;
    }

    // Or-opt: a run of stops from p carried between two stops next to a
    // neighbour of its ends, forwards or backwards.
    bool tryOrOpt(int p)
    {
        for (int length = 1; length <= longestRun && p + length <= m_size && !exhausted(); ++length) {
            if (tryMovingRun(p, p + length - 1))
                return true;
        }
        return false;
    }

    bool tryMovingRun(int first, int last)
    {
        const Vertex before = exitAt(first - 1);
        const Vertex &runEntry = entryAt(first);
        const Vertex runExit = exitAt(last);
        double saved = link(first - 1) + link(last);
        if (last + 1 < m_size)
            saved -= distance(before, entryAt(last + 1));
        // Carried anywhere, a run costs at least nothing more.
        m_work += workPerMove / 4;
        if (saved <= leastGain)
            return false;

        double bestChange = -leastGain;
        int bestAfter = 0;
        bool bestReversed = false;
        const auto consider = [&](int after) {
            if ((after >= first - 1 && after <= last) || std::abs(after - first) > longestShift)
                return;
            m_work += workPerMove;
            const Vertex a = exitAt(after);
            double forwards = distance(a, runEntry) - saved;
            double backwards = distance(a, runExit) - saved;
            if (after + 1 < m_size) {
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
        const auto visit = [&](int q) {
            consider(q - 1);
            consider(q);
        };
        forNeighbours(stop(first).object, visit);
        if (last > first)
            forNeighbours(stop(last).object, visit);
        if (bestChange >= -leastGain)
            return false;
        m_change += bestChange;

        // The objects at the ends of every link the move changes.
        std::vector<int> touched;
        for (int q : {first - 1, first, last, last + 1, bestAfter, bestAfter + 1}) {
            if (q >= 0 && q < m_size)
                touched.push_back(stop(q).object);
        }
        int runStart;
        if (bestAfter > last) {
            std::rotate(m_tour.begin() + first, m_tour.begin() + last + 1, m_tour.begin() + bestAfter + 1);
            place(first, bestAfter);
            runStart = bestAfter - (last - first);
        } else {
            std::rotate(m_tour.begin() + bestAfter + 1, m_tour.begin() + first, m_tour.begin() + last + 1);
            place(bestAfter + 1, last);
            runStart = bestAfter + 1;
        }
        if (bestReversed)
            reverse(runStart, runStart + (last - first));
        for (int object : touched)
            requeue(m_position[std::size_t(object)]);
        return true;
    }

    // A closed stop starts at the vertex nearest to both stops beside it.
    bool tryNewEntry(int p)
    {
        TourStop &here = m_tour[std::size_t(p)];
        if (!m_shapes.isClosed(here.object))
            return false;
        const Vertex from = exitAt(p - 1);
        const bool hasNext = p + 1 < m_size;
        const Vertex to = hasNext ? entryAt(p + 1) : Vertex{0, 0};
        const auto cost = [&](const Vertex &v) { return distance(from, v) + (hasNext ? distance(v, to) : 0.0); };
        const double before = cost(m_shapes.entry(here));
        double best = before - leastGain;
        const int vertices = m_shapes.distinctVertices(here.object);
        // Each vertex is about a quarter of a move's work.
        m_work += vertices * workPerMove / 4;
        int bestVertex = -1;
        for (int v = 0; v < vertices; ++v) {
            const double c = cost(m_shapes.vertex(here.object, v));
            if (c < best) {
                best = c;
                bestVertex = v;
            }
        }
        if (bestVertex < 0)
            return false;
        m_change += best - before;
        here.startVertex = bestVertex;
        for (int q : {p - 1, p, p + 1})
            requeue(q);
        return true;
    }

    const TourShapes &m_shapes;
    const NeighbourLists &m_neighbours;
    Tour &m_tour;
    const int m_size;
    const long long m_workLimit;
    long long m_work = 0;
    bool m_pruning = true;
    double m_change = 0; // what the moves since it was last cleared changed
    unsigned long long m_random = 1;
    std::vector<int> m_position;
    std::vector<bool> m_queued;
    std::deque<int> m_queue;
};

} // namespace

NeighbourLists nearestObjects(const TourShapes &shapes, int perObject)
{
    std::vector<PointTree::Point> places;
    std::vector<int> firstPlace;
    for (int object = 0; object < shapes.objectCount(); ++object) {
        firstPlace.push_back(int(places.size()));
        const auto add = [&](int vertex) {
            const Vertex &v = shapes.vertex(object, vertex);
            places.push_back({v.x, v.y, object});
        };
        const int count = shapes.pointCount(object);
        if (shapes.isClosed(object)) {
            const int vertices = shapes.distinctVertices(object);
            const int spread = std::min(vertices, placesPerClosedObject);
            for (int i = 0; i < spread; ++i)
                add(i * vertices / spread);
        } else if (count > 0) {
            add(0);
            if (count > 1)
                add(count - 1);
        }
    }
    firstPlace.push_back(int(places.size()));
    const PointTree tree(places);

    NeighbourLists lists;
    lists.firstOf.reserve(std::size_t(shapes.objectCount()) + 1);
    lists.objects.reserve(std::size_t(shapes.objectCount()) * std::size_t(perObject));
    std::vector<PointTree::Candidate> found;
    for (int object = 0; object < shapes.objectCount(); ++object) {
        lists.firstOf.push_back(int(lists.objects.size()));
        found.clear();
        for (int i = firstPlace[std::size_t(object)]; i < firstPlace[std::size_t(object) + 1]; ++i) {
            const PointTree::Point &at = places[std::size_t(i)];
            for (const PointTree::Candidate &c : tree.nearestOwners(at.x, at.y, perObject, object)) {
                auto known = std::find_if(found.begin(), found.end(),
                                          [&](const PointTree::Candidate &k) { return k.owner == c.owner; });
                if (known == found.end())
                    found.push_back(c);
                else
                    known->squaredDistance = std::min(known->squaredDistance, c.squaredDistance);
            }
        }
        std::sort(found.begin(), found.end(), [](const PointTree::Candidate &a, const PointTree::Candidate &b) {
            return a.squaredDistance < b.squaredDistance || (a.squaredDistance == b.squaredDistance && a.owner < b.owner);
        });
        for (std::size_t i = 0; i < found.size() && i < std::size_t(perObject); ++i)
            lists.objects.push_back(found[i].owner);
    }
    lists.firstOf.push_back(int(lists.objects.size()));
    for (const PointTree::Candidate &c : tree.nearestOwners(0, 0, perObject, -1))
        lists.ofOrigin.push_back(c.owner);
    return lists;
}

void improveTour(const TourShapes &shapes, const NeighbourLists &neighbours, Tour &tour, long long moveBudget)
{
    Improver(shapes, neighbours, tour, moveBudget).run();
}
