#pragma once

#include "drawing/drawingfigures.h"

#include <QPointF>
#include <QRectF>
#include <QStringList>

#include <vector>

class Drawing;

// The moves of a drawing as a conversion writes them, kept compact for
// drawing: every vertex, object after object, each object's box to pass
// over what is out of sight, and the figures and notes of the drawing.
struct Toolpath
{
    std::vector<QPointF> points;
    // Where each object with points starts in points; one more entry, the
    // end of the last.
    std::vector<std::size_t> objectStarts{0};
    std::vector<QRectF> objectBounds;
    DrawingFigures figures;
    QStringList notes;

    std::size_t objectCount() const { return objectBounds.size(); }
    // The box of the drawing and of the machine origin, where the travel starts.
    QRectF extent() const;
};

Toolpath toolpathOf(const Drawing &drawing);
