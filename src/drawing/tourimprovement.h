#pragma once

#include "travelorder.h"

#include <vector>

class PointTree;
class TourShapes;

// For each object, the few objects nearest to where a tour may enter or
// leave it, and those nearest to the origin: the only places a move tries
// to bring together.
struct NeighbourLists
{
    std::vector<int> firstOf; // per object, with one past the end
    std::vector<int> objects;
    std::vector<int> ofOrigin;
};

NeighbourLists nearestObjects(const TourShapes &shapes, const PointTree &tree);

// Applies 2-opt moves (a run of the tour taken backwards), Or-opt moves (a
// run of up to three objects moved elsewhere, either way round) and new
// start vertices for closed objects while any shortens the tour, for as
// many move evaluations as budgetSeconds allows by a fixed rate.
void improveTour(const TourShapes &shapes, const NeighbourLists &neighbours, Tour &tour, double budgetSeconds);
