#include "toolpath.h"

#include "drawing/drawing.h"

#include <algorithm>

QRectF Toolpath::extent() const
{
    if (figures.vertices == 0)
        return QRectF();
    const QRectF &box = figures.bounds;
    return QRectF(QPointF(std::min(box.left(), 0.0), std::min(box.top(), 0.0)),
                  QPointF(std::max(box.right(), 0.0), std::max(box.bottom(), 0.0)));
}

Toolpath toolpathOf(const Drawing &drawing)
{
    Toolpath toolpath;
    toolpath.figures = figuresOf(drawing);
    toolpath.notes = noteLines(drawing.notes().list());
    toolpath.points.reserve(std::size_t(toolpath.figures.vertices));
    toolpath.objectBounds.reserve(std::size_t(toolpath.figures.objects));
    toolpath.objectStarts.reserve(std::size_t(toolpath.figures.objects) + 1);
    for (const DrawingObject &object : drawing.objects()) {
        if (object.points.isEmpty())
            continue;
        double left = object.points.first()->x, right = left;
        double bottom = object.points.first()->y, top = bottom;
        for (const DrawingPoint *point : object.points) {
            toolpath.points.emplace_back(point->x, point->y);
            left = std::min(left, point->x);
            right = std::max(right, point->x);
            bottom = std::min(bottom, point->y);
            top = std::max(top, point->y);
        }
        toolpath.objectStarts.push_back(toolpath.points.size());
        toolpath.objectBounds.emplace_back(QPointF(left, bottom), QPointF(right, top));
    }
    return toolpath;
}
