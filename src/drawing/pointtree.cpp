#include "pointtree.h"

#include <algorithm>
#include <cstddef>

namespace {

double squaredDistance(double ax, double ay, double bx, double by)
{
    const double dx = ax - bx;
    const double dy = ay - by;
    return dx * dx + dy * dy;
}

// Below this many points a subtree is looked through point by point: cheaper
// than deciding which of its halves to skip.
constexpr int smallRange = 12;

} // namespace

PointTree::PointTree(const std::vector<Point> &points)
{
    m_nodes.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        m_nodes.push_back({points[i].x, points[i].y, int(i), points[i].owner});
    m_axis.assign(m_nodes.size(), 0);
    m_alive.assign(m_nodes.size(), 0);
    m_removed.assign(m_nodes.size(), 0);
    build(0, int(m_nodes.size()));
    m_slotOf.assign(m_nodes.size(), 0);
    for (std::size_t slot = 0; slot < m_nodes.size(); ++slot)
        m_slotOf[std::size_t(m_nodes[slot].id)] = int(slot);
}

void PointTree::build(int lo, int hi)
{
    if (lo >= hi)
        return;
    double left = m_nodes[std::size_t(lo)].x, right = left;
    double bottom = m_nodes[std::size_t(lo)].y, top = bottom;
    for (int i = lo + 1; i < hi; ++i) {
        left = std::min(left, m_nodes[std::size_t(i)].x);
        right = std::max(right, m_nodes[std::size_t(i)].x);
        bottom = std::min(bottom, m_nodes[std::size_t(i)].y);
        top = std::max(top, m_nodes[std::size_t(i)].y);
    }
    const unsigned char axis = (right - left) >= (top - bottom) ? 0 : 1;
    const int mid = lo + (hi - lo) / 2;
    const auto first = m_nodes.begin() + lo, middle = m_nodes.begin() + mid, last = m_nodes.begin() + hi;
    if (axis == 0)
        std::nth_element(first, middle, last,
                         [](const Node &a, const Node &b) { return a.x < b.x || (a.x == b.x && a.id < b.id); });
    else
        std::nth_element(first, middle, last,
                         [](const Node &a, const Node &b) { return a.y < b.y || (a.y == b.y && a.id < b.id); });
    m_axis[std::size_t(mid)] = axis;
    m_alive[std::size_t(mid)] = hi - lo;
    build(lo, mid);
    build(mid + 1, hi);
}

int PointTree::nearest(double x, double y) const
{
    double best = 0;
    int bestId = -1;
    searchNearest(0, int(m_nodes.size()), x, y, best, bestId);
    return bestId;
}

void PointTree::searchNearest(int lo, int hi, double x, double y, double &best, int &bestId) const
{
    if (lo >= hi)
        return;
    const int mid = lo + (hi - lo) / 2;
    if (m_alive[std::size_t(mid)] == 0)
        return;
    const auto consider = [&](int slot) {
        const Node &node = m_nodes[std::size_t(slot)];
        if (!m_removed[std::size_t(slot)]) {
            const double d = squaredDistance(x, y, node.x, node.y);
            if (bestId < 0 || d < best || (d == best && node.id < bestId)) {
                best = d;
                bestId = node.id;
            }
        }
    };
    if (hi - lo <= smallRange) {
        for (int slot = lo; slot < hi; ++slot)
            consider(slot);
        return;
    }
    consider(mid);
    const Node &node = m_nodes[std::size_t(mid)];
    const double offset = m_axis[std::size_t(mid)] == 0 ? x - node.x : y - node.y;
    const int nearLo = offset < 0 ? lo : mid + 1;
    const int nearHi = offset < 0 ? mid : hi;
    const int farLo = offset < 0 ? mid + 1 : lo;
    const int farHi = offset < 0 ? hi : mid;
    searchNearest(nearLo, nearHi, x, y, best, bestId);
    // Equal distance still counts on the far side: an earlier point there wins the tie.
    if (bestId < 0 || offset * offset <= best)
        searchNearest(farLo, farHi, x, y, best, bestId);
}

void PointTree::remove(int id)
{
    const int slot = m_slotOf[std::size_t(id)];
    if (m_removed[std::size_t(slot)])
        return;
    int lo = 0, hi = int(m_nodes.size());
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        --m_alive[std::size_t(mid)];
        if (mid == slot)
            break;
        if (slot < mid)
            hi = mid;
        else
            lo = mid + 1;
    }
    m_removed[std::size_t(slot)] = 1;
}

std::vector<PointTree::Candidate> PointTree::nearestOwners(double x, double y, int count, int skipOwner) const
{
    std::vector<Candidate> best;
    if (count > 0) {
        best.reserve(std::size_t(count) + 1);
        searchOwners(0, int(m_nodes.size()), x, y, skipOwner, best, std::size_t(count));
    }
    return best;
}

void PointTree::searchOwners(int lo, int hi, double x, double y, int skipOwner, std::vector<Candidate> &best,
                             std::size_t count) const
{
    if (lo >= hi)
        return;
    const auto consider = [&](int slot) {
        const Node &node = m_nodes[std::size_t(slot)];
        const auto before = [](const Candidate &a, const Candidate &b) {
            return a.squaredDistance < b.squaredDistance
                   || (a.squaredDistance == b.squaredDistance && a.owner < b.owner);
        };
        const Candidate candidate{squaredDistance(x, y, node.x, node.y), node.owner};
        // No nearer than the last kept, it cannot be a nearer point of a
        // kept owner either: most points stop here.
        if (node.owner == skipOwner || (best.size() >= count && !before(candidate, best.back())))
            return;
        auto known = std::find_if(best.begin(), best.end(), [&](const Candidate &c) { return c.owner == node.owner; });
        if (known != best.end()) {
            if (before(candidate, *known)) {
                best.erase(known);
                best.insert(std::upper_bound(best.begin(), best.end(), candidate, before), candidate);
            }
        } else {
            best.insert(std::upper_bound(best.begin(), best.end(), candidate, before), candidate);
            if (best.size() > count)
                best.pop_back();
        }
    };
    if (hi - lo <= smallRange) {
        for (int slot = lo; slot < hi; ++slot)
            consider(slot);
        return;
    }
    const int mid = lo + (hi - lo) / 2;
    consider(mid);
    const Node &node = m_nodes[std::size_t(mid)];
    const double offset = m_axis[std::size_t(mid)] == 0 ? x - node.x : y - node.y;
    const int nearLo = offset < 0 ? lo : mid + 1;
    const int nearHi = offset < 0 ? mid : hi;
    const int farLo = offset < 0 ? mid + 1 : lo;
    const int farHi = offset < 0 ? hi : mid;
    searchOwners(nearLo, nearHi, x, y, skipOwner, best, count);
    if (best.size() < count || offset * offset <= best.back().squaredDistance)
        searchOwners(farLo, farHi, x, y, skipOwner, best, count);
}
