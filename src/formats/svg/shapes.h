#pragma once

#include <QStringView>

class CheckedPainterPath;
class QXmlStreamAttributes;

// Appends the outline of a shape element ("path", "line", "rect", "circle",
// "ellipse", "polygon", "polyline") in the element's own user units, before
// any transform; every other element appends nothing. Coordinates are plain
// numbers: a unit suffix is ignored, and only a rectangle's width and height
// are converted by their units.
void appendShapeOutline(QStringView element, const QXmlStreamAttributes &attributes, CheckedPainterPath &path);
