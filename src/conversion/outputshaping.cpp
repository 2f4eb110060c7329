#include "outputshaping.h"

#include "drawing/drawing.h"
#include "drawing/drawingalongtour.h"
#include "drawing/travelorder.h"

bool shapesOutput(const ConversionOptions &options)
{
    return options.orderObjects || options.joinTouching;
}

std::unique_ptr<Drawing> shapedForOutput(const Drawing &drawing, const ConversionOptions &options)
{
    if (!shapesOutput(options))
        return nullptr;
    const Tour tour =
        options.orderObjects ? shortTravelTour(drawing, options.orderBudgetSeconds) : fileOrderTour(drawing);
    return drawingAlongTour(drawing, tour, options.joinTouching);
}
