#pragma once

#include <QPointF>
#include <QRectF>

// Liang and Barsky: shortens a to b to its part inside box; false when no
// part is inside.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &box);
