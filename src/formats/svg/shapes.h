#pragma once

class CheckedPainterPath;
class QXmlStreamAttributes;
class SvgNotes;

enum class SvgShape { Path, Rect, Circle, Ellipse, Line, Polyline, Polygon };

// Appends the outline of a shape element in the element's own user units,
// before any transform. Coordinates are plain numbers: a unit suffix is
// ignored, and only a rectangle's width and height are converted by their
// units. A rectangle, circle or ellipse of a size that is zero or negative
// appends nothing, as SVG draws nothing of it; an ellipse with only one of
// its radii takes it for both. What the outline lacks of the element, and
// the values taken where the element's could not be read, go to `notes`.
void appendShapeOutline(SvgShape shape, const QXmlStreamAttributes &attributes, CheckedPainterPath &path,
                        SvgNotes &notes);

// A coordinate attribute as a plain number in user units, 0 when missing;
// a unit after it is ignored, and noted.
double svgCoordinate(const QXmlStreamAttributes &attributes, const char *name, SvgNotes &notes);
