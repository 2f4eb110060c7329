#include "drawingalongtour.h"

#include "drawing.h"
#include "tourshapes.h"

#include <cmath>

std::unique_ptr<Drawing> drawingAlongTour(const Drawing &drawing, const Tour &tour, bool joinTouching)
{
    const TourShapes shapes(drawing);
    auto result = std::make_unique<Drawing>();
    result->setBounds(drawing.bounds());
    DrawingObject *current = nullptr;
    TourShapes::Vertex end{0, 0};
    for (const TourStop &stop : tour) {
        const int count = shapes.pointCount(stop.object);
        if (count == 0)
            continue;
        int from = 0;
        const TourShapes::Vertex &start = shapes.entry(stop);
        if (joinTouching && current && std::hypot(start.x - end.x, start.y - end.y) <= touchingDistance) {
            if (start.x == end.x && start.y == end.y)
                from = 1;
        } else {
            current = result->addObject();
            current->color = drawing.objects().at(stop.object).color;
        }
        for (int i = from; i < count; ++i) {
            const TourShapes::Vertex &v = shapes.pointAt(stop, i);
            current->appendPoint(QPointF(v.x, v.y));
        }
        end = shapes.exit(stop);
    }
    return result;
}
