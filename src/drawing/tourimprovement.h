#pragma once

#include "travelorder.h"

#include <vector>

class TourShapes;

// For each object, the few objects nearest to where a tour may enter or
// leave it, nearest first, and those nearest to the origin: the only places
// a move tries to bring together.
struct NeighbourLists
{
    std::vector<int> firstOf; // per object, with one past the end
    std::vector<int> objects;
    std::vector<int> ofOrigin;
};

NeighbourLists nearestObjects(const TourShapes &shapes, int perObject);

// Moves tried per second of budget, about what one core of a modest machine
// manages. A count rather than a clock, so that the result does not depend
// on the machine or on how busy it is.
constexpr double movesPerSecond = 5e6;

// Applies 2-opt moves (a run of the tour taken backwards), Or-opt moves (a
// run of up to three objects moved elsewhere, either way round), turned
// strokes and new start vertices for closed objects while any shortens the
// tour, trying at most moveBudget moves.
void improveTour(const TourShapes &shapes, const NeighbourLists &neighbours, Tour &tour, long long moveBudget);
