#pragma once

#include <QPointF>
#include <QRectF>
#include <QStringView>

// How the user units of a document with a viewBox land on its page, in
// millimetres: x' = (x - offset x) * scale x + shift x, and likewise for y.
struct ViewBoxMapping
{
    double offsetX = 0;
    double offsetY = 0;
    double scaleX = 1;
    double scaleY = 1;
    double shiftX = 0;
    double shiftY = 0;

    double mapX(double x) const { return (x - offsetX) * scaleX + shiftX; }
    double mapY(double y) const { return (y - offsetY) * scaleY + shiftY; }
};

// Reads "min-x min-y width height", separated by blanks or commas. False
// unless there are exactly four finite numbers and the width and height
// are above 0.
bool parseViewBox(QStringView text, QRectF &box);

// Fits the viewBox into a page of the given size as the preserveAspectRatio
// text says: by default one scale for both axes, the smaller one, with the
// drawing centred; "slice" takes the larger scale and "none" scales the two
// axes separately. A text that cannot be read counts as the default, and
// clears `alignmentRead` when one is given.
ViewBoxMapping viewBoxMapping(const QRectF &box, double pageWidth, double pageHeight,
                              QStringView preserveAspectRatio, bool *alignmentRead = nullptr);
