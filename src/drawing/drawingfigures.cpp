#include "drawingfigures.h"

#include "drawing.h"

#include <QPointF>

#include <algorithm>
#include <cmath>

DrawingFigures figuresOf(const Drawing &drawing)
{
    DrawingFigures figures;
    double left = 0, right = 0, top = 0, bottom = 0;
    QPointF tool(0, 0);
    for (const DrawingObject &object : drawing.objects()) {
        if (object.points.isEmpty())
            continue;
        ++figures.objects;
        bool first = true;
        for (const DrawingPoint *point : object.points) {
            const QPointF p(point->x, point->y);
            if (figures.vertices == 0) {
                left = right = p.x();
                bottom = top = p.y();
            } else {
                left = std::min(left, p.x());
                right = std::max(right, p.x());
                bottom = std::min(bottom, p.y());
                top = std::max(top, p.y());
            }
            const double step = std::hypot(p.x() - tool.x(), p.y() - tool.y());
            (first ? figures.travelLength : figures.cutLength) += step;
            first = false;
            tool = p;
            ++figures.vertices;
        }
    }
    if (figures.vertices > 0)
        figures.bounds = QRectF(QPointF(left, bottom), QPointF(right, top));
    return figures;
}
