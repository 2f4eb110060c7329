#pragma once

#include <QRectF>

class Drawing;

// What a conversion would cut, in the drawing's unit (millimetres for every
// format but G-code, whose numbers stand as they are): the box of every
// vertex written, the objects that have points, and the lengths the tool
// goes down and up. Travel starts at the machine origin (0, 0) and runs
// from the last vertex of each object to the first of the next.
struct DrawingFigures
{
    QRectF bounds; // meaningful only when there is a vertex
    qint64 objects = 0;
    qint64 vertices = 0;
    double cutLength = 0;
    double travelLength = 0;
};

DrawingFigures figuresOf(const Drawing &drawing);
