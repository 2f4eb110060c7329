#pragma once

class CheckedPainterPath;

// Appends the elliptical arc of SVG path data from the current point
// (currentX, currentY) to (x, y) as cubic pieces of at most a quarter turn,
// or as lines when the path has a curve tolerance.
// Radii that are too small for the two points are enlarged; an arc whose
// centre cannot be computed (equal end points, a zero radius) appends
// nothing.
void appendArc(CheckedPainterPath &path, double rx, double ry, double xAxisRotation, int largeArcFlag, int sweepFlag,
               double x, double y, double currentX, double currentY);

// Appends one cubic piece of the arc from angle `startAngle` to `endAngle`
// (radians) on the unit circle centred at (xc, yc), mapped back onto the
// ellipse with radii rx, ry turned by `xAxisRotation` degrees.
void arcSegment(CheckedPainterPath &path, double xc, double yc, double startAngle, double endAngle, double rx,
                double ry, double xAxisRotation);

// Appends the arc of `sweep` radians from `startAngle` on that unit circle
// as lines within the path's curve tolerance.
void appendArcLines(CheckedPainterPath &path, double xc, double yc, double startAngle, double sweep, double rx,
                    double ry, double xAxisRotation);
