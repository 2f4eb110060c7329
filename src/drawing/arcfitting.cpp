#include "arcfitting.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;
// Past this radius a run is as good as straight, and the centre's offsets
// would be longer than any machine travels.
constexpr double maximumRadius = 1e6;
// Ends closer than this could be written as one point, six decimals being
// all the output keeps, and an arc that ends where it starts is a full
// circle to the machine.
constexpr double shortestChord = 1e-3;

double cross(const QPointF &a, const QPointF &b)
{
    return a.x() * b.y() - a.y() * b.x();
}

double dot(const QPointF &a, const QPointF &b)
{
    return a.x() * b.x() + a.y() * b.y();
}

double length(const QPointF &v)
{
    return std::hypot(v.x(), v.y());
}

bool circumcentre(const QPointF &a, const QPointF &b, const QPointF &c, QPointF &centre)
{
    const QPointF ab = b - a;
    const QPointF ac = c - a;
    const double d = 2 * cross(ab, ac);
    if (!(std::fabs(d) > 0))
        return false;
    const double ab2 = dot(ab, ab);
    const double ac2 = dot(ac, ac);
    centre = a + QPointF((ac.y() * ab2 - ab.y() * ac2) / d, (ab.x() * ac2 - ac.x() * ab2) / d);
    return std::isfinite(centre.x()) && std::isfinite(centre.y());
}

// The point of the perpendicular bisector of a and b nearest to `centre`:
// the machine takes the radius at the start and expects the end on it.
QPointF onBisector(const QPointF &centre, const QPointF &a, const QPointF &b)
{
    const QPointF chord = b - a;
    const double chord2 = dot(chord, chord);
    if (!(chord2 > 0))
        return centre;
    const QPointF middle = (a + b) / 2;
    return centre - chord * (dot(centre - middle, chord) / chord2);
}

struct Walk
{
    bool followed = false;
    double sweep = 0;
    int turn = 0; // +1 counter-clockwise, -1 clockwise
};

// Walks the vertices first..last around `centre` at the radius of the
// first: each within the tolerance of the circle, all turning one way, and
// each segment close enough to the arc between its ends. The arc bulges from
// a segment by its sagitta, plus whatever its ends lie off the circle.
Walk walkAround(const std::vector<QPointF> &points, int first, int last, const QPointF &centre, double tolerance)
{
    Walk walk;
    const double radius = length(points[first] - centre);
    if (!(radius > tolerance && radius <= maximumRadius))
        return walk;
    QPointF previous = points[first] - centre;
    double previousError = 0;
    for (int k = first + 1; k <= last; ++k) {
        const QPointF v = points[k] - centre;
        const double error = std::fabs(length(v) - radius);
        if (!(error <= tolerance))
            return walk;
        const double step = std::atan2(cross(previous, v), dot(previous, v));
        const int turn = step > 0 ? 1 : (step < 0 ? -1 : 0);
        if (turn == 0 || (walk.turn != 0 && turn != walk.turn))
            return walk;
        walk.turn = turn;
        const double quarter = std::sin(std::fabs(step) / 4);
        if (!(2 * radius * quarter * quarter + std::max(error, previousError) <= tolerance))
            return walk;
        walk.sweep += std::fabs(step);
        previous = v;
        previousError = error;
    }
    walk.followed = true;
    return walk;
}

// The vertex of first..last at about half the sweep.
int middleVertex(const std::vector<QPointF> &points, int first, int last, const QPointF &centre, double halfSweep)
{
    double swept = 0;
    int best = first;
    double bestDistance = halfSweep;
    for (int k = first + 1; k < last; ++k) {
        const QPointF a = points[k - 1] - centre;
        const QPointF b = points[k] - centre;
        swept += std::fabs(std::atan2(cross(a, b), dot(a, b)));
        if (std::fabs(swept - halfSweep) < bestDistance) {
            bestDistance = std::fabs(swept - halfSweep);
            best = k;
        }
    }
    return best;
}

bool appendArc(const std::vector<QPointF> &points, int first, int last, const QPointF &guess, double tolerance,
               std::vector<FittedArc> &arcs)
{
    if (last - first < 2 || !(length(points[last] - points[first]) >= shortestChord))
        return false;
    const QPointF centre = onBisector(guess, points[first], points[last]);
    const Walk walk = walkAround(points, first, last, centre, tolerance);
    if (!walk.followed)
        return false;
    arcs.push_back({first, last, centre, walk.turn < 0});
    return true;
}

// The one or two arcs for vertices first..last, or none when they do not
// lie on one circle.
std::vector<FittedArc> fitRun(const std::vector<QPointF> &points, int first, int last, double tolerance)
{
    std::vector<FittedArc> arcs;
    if (last - first < 2)
        return arcs;
    const QPointF &start = points[first];
    const QPointF &end = points[last];
    // A closed run has no chord to find the centre by; two vertices a third
    // of the way apart stand in for the end.
    const bool closed = length(end - start) <= tolerance;
    const int span = last - first;
    QPointF guess;
    const bool found = closed ? circumcentre(start, points[first + span / 3], points[first + 2 * span / 3], guess)
                              : circumcentre(start, points[first + span / 2], end, guess);
    if (!found)
        return arcs;
    const Walk walk = walkAround(points, first, last, guess, tolerance);
    if (!walk.followed || walk.sweep > 2 * pi + 1e-9)
        return arcs;
    if (walk.sweep <= pi + 1e-9 && !closed) {
        appendArc(points, first, last, guess, tolerance, arcs);
        return arcs;
    }
    const int middle = middleVertex(points, first, last, guess, walk.sweep / 2);
    if (!appendArc(points, first, middle, guess, tolerance, arcs)
        || !appendArc(points, middle, last, guess, tolerance, arcs))
        arcs.clear();
    return arcs;
}

} // namespace

std::vector<FittedArc> fitArcs(const std::vector<QPointF> &points, double tolerance)
{
    std::vector<FittedArc> arcs;
    const int count = int(points.size());
    int first = 0;
    while (first + 2 < count) {
        if (fitRun(points, first, first + 2, tolerance).empty()) {
            ++first;
            continue;
        }
        // The longest run that still fits: doubling, then halving the gap.
        // Whether a run fits need not grow less likely with its length, but
        // what is taken has always been checked whole.
        const int longest = count - 1 - first;
        int fitting = 2;
        int failing = longest + 1;
        for (qint64 span = 4; fitting < longest; span *= 2) {
            const int tried = int(std::min<qint64>(span, longest));
            if (fitRun(points, first, first + tried, tolerance).empty()) {
                failing = tried;
                break;
            }
            fitting = tried;
        }
        while (failing - fitting > 1) {
            const int tried = fitting + (failing - fitting) / 2;
            if (!fitRun(points, first, first + tried, tolerance).empty())
                fitting = tried;
            else
                failing = tried;
        }
        const std::vector<FittedArc> run = fitRun(points, first, first + fitting, tolerance);
        arcs.insert(arcs.end(), run.begin(), run.end());
        first += fitting;
    }
    return arcs;
}
