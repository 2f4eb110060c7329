#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class CheckedPainterPath;
class Drawing;
class DrawingObject;

// Turns a painter path into polylines of the drawing. Arcs, ellipses and
// quadratic curves are stored by QPainterPath as cubic pieces, so lines and
// cubics are all there is to flatten. The first move continues `target`
// when one is given; every later move starts a new object. A tolerance
// above 0 flattens each cubic within it, instead of at cubicPointCount.
void appendPainterPath(const QPainterPath &path, Drawing &drawing, DrawingObject *target, double curveTolerance = 0);
// The same for a path a reader built, at the path's tolerance; a coordinate
// the path had to leave out puts the drawing out of range.
void appendPainterPath(const CheckedPainterPath &path, Drawing &drawing, DrawingObject *target);

bool isStraightCubic(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3);
QRectF controlBounds(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3);

// Number of points, end points included, that a curved cubic piece is
// broken into: between 10 and 86, growing with the size of its control box.
int cubicPointCount(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3);
