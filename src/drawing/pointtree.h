#pragma once

#include <vector>

// A k-d tree over fixed points, each tagged with an owner, from which points
// can be taken out. Finds the nearest point left, and the owners nearest to
// a place. Ties go to the point added first, so results never depend on
// how the tree happened to split.
class PointTree
{
public:
    struct Point
    {
        double x;
        double y;
        int owner;
    };

    // Point ids are the positions in points.
    explicit PointTree(const std::vector<Point> &points);

    // The id of the nearest point not removed, or -1 when none is left.
    int nearest(double x, double y) const;
    void remove(int id);

    struct Candidate
    {
        double squaredDistance;
        int owner;
    };
    // Up to count owners other than skipOwner, nearest first by their
    // nearest point, removed points included.
    std::vector<Candidate> nearestOwners(double x, double y, int count, int skipOwner) const;

private:
    struct Node
    {
        double x;
        double y;
        int id;
        int owner;
    };

    void build(int lo, int hi);
    void searchNearest(int lo, int hi, double x, double y, double &best, int &bestId) const;
    void searchOwners(int lo, int hi, double x, double y, int skipOwner, std::vector<Candidate> &best,
                      std::size_t count) const;

    std::vector<Node> m_nodes;
    std::vector<unsigned char> m_axis;
    std::vector<int> m_alive; // points left below each node, the node's own included
    std::vector<unsigned char> m_removed;
    std::vector<int> m_slotOf;
};
