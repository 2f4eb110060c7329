#pragma once

#include "drawing/drawing.h"

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

using Outline = QVector<QPointF>;
using Outlines = QVector<Outline>;

// The points as they lie on the SVG page, y pointing down: the reader's
// vertical mirror keeps the bounds, so it is undone across them.
inline Outlines pageOutlines(const Drawing &drawing)
{
    const double mirror = drawing.bounds().top() + drawing.bounds().bottom();
    Outlines outlines;
    for (const DrawingObject &object : drawing.objects()) {
        Outline outline;
        for (const DrawingPoint *point : object.points)
            outline.append(QPointF(point->x, mirror - point->y));
        outlines.append(outline);
    }
    return outlines;
}

inline QString describe(const Outlines &outlines)
{
    QStringList objects;
    for (const Outline &outline : outlines) {
        QStringList points;
        for (const QPointF &p : outline)
            points << QStringLiteral("(%1, %2)").arg(p.x(), 0, 'g', 12).arg(p.y(), 0, 'g', 12);
        objects << points.join(QLatin1Char(' '));
    }
    return objects.join(QStringLiteral(" | "));
}

// Outline by outline and point by point, each pair of points `near`.
template <typename Near>
bool sameOutlines(const Outlines &actual, const Outlines &expected, Near near)
{
    if (actual.size() != expected.size())
        return false;
    for (int i = 0; i < actual.size(); ++i) {
        if (actual[i].size() != expected[i].size())
            return false;
        for (int j = 0; j < actual[i].size(); ++j) {
            if (!near(actual[i][j], expected[i][j]))
                return false;
        }
    }
    return true;
}
