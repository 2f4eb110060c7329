#pragma once

#include <QRectF>

class QPainter;
class ToolpathView;
struct Toolpath;

// Paints a toolpath into area as view places it: a millimetre grid with
// labelled axes, the machine origin, the cut moves solid, the travel moves
// between objects (from the origin to the first point, then from the end
// of each object to the start of the next) dashed, and the first point
// marked. Vertices that fall on the pixel drawn last are passed over, so
// that the cost follows what can be seen rather than the vertex count.
void paintToolpath(QPainter &painter, const QRectF &area, const Toolpath &toolpath, const ToolpathView &view);

// The grid alone, for a view without a drawing.
void paintGrid(QPainter &painter, const QRectF &area, const ToolpathView &view);
