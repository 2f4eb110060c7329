#pragma once

#include <vector>

class Drawing;

// One object of a tour and the way the tool goes through it. An open
// polyline is cut from its first point, or from its last when reversed; a
// closed one (first point equal to the last) starts and ends at
// startVertex and goes round forwards, or backwards when reversed.
struct TourStop
{
    int object = 0; // its index in the drawing's objects
    int startVertex = 0;
    bool reversed = false;

    bool operator==(const TourStop &other) const
    {
        return object == other.object && startVertex == other.startVertex && reversed == other.reversed;
    }
};
using Tour = std::vector<TourStop>;

// Objects without points have no place in a tour.

// The drawing's own order.
Tour fileOrderTour(const Drawing &drawing);

// From the machine origin, always on to the nearest start an object that is
// not cut yet offers (either end of an open polyline, any vertex of a closed
// one); of starts equally near, the one earlier in the file.
Tour nearestNeighbourTour(const Drawing &drawing);

// The nearest-neighbour tour shortened by 2-opt and Or-opt moves for about
// budgetSeconds, building it included. Never longer than the
// nearest-neighbour tour, and the same drawing and budget give the same tour
// on any machine: the budget is turned into a count of moves examined, not
// measured on a clock.
Tour shortTravelTour(const Drawing &drawing, double budgetSeconds);

// The travel of a tour: from the origin to the first start, then from
// each object's end to the next one's start.
double travelLength(const Drawing &drawing, const Tour &tour);
