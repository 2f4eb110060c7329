#pragma once

class CheckedPainterPath;

struct DxfVertex
{
    double x;
    double y;
    double z;
};

// Adds the segment from `from` to `to` of a polyline, in millimetres: a
// circular arc when the bulge (the tangent of a quarter of its included
// angle, positive counter-clockwise) is not zero, else a straight line. An
// empty path first moves to `from`.
void addBulgeSegment(CheckedPainterPath &path, const DxfVertex &from, const DxfVertex &to, double bulge);

// The same segment sampled into points as an ARC entity is, so many for
// the arc's size after it is enlarged by `curveScale`; its ends are the
// vertices themselves.
void addSampledBulgeSegment(CheckedPainterPath &path, const DxfVertex &from, const DxfVertex &to, double bulge,
                            double curveScale);
