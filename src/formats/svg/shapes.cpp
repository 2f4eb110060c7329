#include "shapes.h"

#include "numbers.h"
#include "pathdata.h"
#include "units.h"

#include "drawing/checkedpainterpath.h"

#include <QXmlStreamAttributes>

#include <vector>

namespace {

QStringView attribute(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name));
}

double coordinate(const QXmlStreamAttributes &attributes, const char *name)
{
    const QStringView text = attribute(attributes, name);
    const QChar *cursor = text.begin();
    return parseNumber(cursor, text.end());
}

double length(const QXmlStreamAttributes &attributes, const char *name)
{
    double number = 0;
    const double factor = unitsPerMillimetre(attribute(attributes, name), &number);
    return number / factor;
}

void appendPointsOutline(const QXmlStreamAttributes &attributes, bool closed, CheckedPainterPath &path)
{
    const QStringView text = attribute(attributes, "points");
    const QChar *cursor = text.begin();
    std::vector<double> numbers;
    numbers.reserve(32);
    parseNumberList(cursor, text.end(), numbers);

    if (numbers.size() < 2)
        return;
    path.moveTo(numbers[0], numbers[1]);
    // A trailing odd number is no point.
    for (std::size_t i = 2; i + 1 < numbers.size(); i += 2)
        path.lineTo(numbers[i], numbers[i + 1]);
    if (closed)
        path.lineTo(numbers[0], numbers[1]);
}

void appendEllipseOutline(const QXmlStreamAttributes &attributes, const char *rxName, const char *ryName,
                          CheckedPainterPath &path)
{
    const QPointF centre(coordinate(attributes, "cx"), coordinate(attributes, "cy"));
    path.addEllipse(centre, coordinate(attributes, rxName), coordinate(attributes, ryName));
}

void appendLineOutline(const QXmlStreamAttributes &attributes, CheckedPainterPath &path)
{
    path.moveTo(coordinate(attributes, "x1"), coordinate(attributes, "y1"));
    path.lineTo(coordinate(attributes, "x2"), coordinate(attributes, "y2"));
}

void appendRectOutline(const QXmlStreamAttributes &attributes, CheckedPainterPath &path)
{
    const double x = coordinate(attributes, "x");
    const double y = coordinate(attributes, "y");
    const double w = length(attributes, "width");
    const double h = length(attributes, "height");
    double rx = coordinate(attributes, "rx");
    double ry = coordinate(attributes, "ry");
    if (rx > w * 0.5)
        rx = w * 0.5;
    if (ry > h * 0.5)
        ry = h * 0.5;
    // A radius given alone serves both axes.
    const bool hasRx = !attribute(attributes, "rx").isEmpty();
    const bool hasRy = !attribute(attributes, "ry").isEmpty();
    if (hasRx && !hasRy)
        ry = rx;
    else if (hasRy && !hasRx)
        rx = ry;

    if (rx > 0 || ry > 0)
        path.addRoundedRect(QRectF(x, y, w, h), rx, ry, Qt::AbsoluteSize);
    else
        path.addRect(QRectF(x, y, w, h));
}

} // namespace

void appendShapeOutline(QStringView element, const QXmlStreamAttributes &attributes, CheckedPainterPath &path)
{
    if (element == QLatin1String("path")) {
        // Data after an error is dropped; what came before it is drawn.
        parsePathData(attribute(attributes, "d"), path);
    } else if (element == QLatin1String("polygon")) {
        appendPointsOutline(attributes, true, path);
    } else if (element == QLatin1String("polyline")) {
        appendPointsOutline(attributes, false, path);
    } else if (element == QLatin1String("circle")) {
        appendEllipseOutline(attributes, "r", "r", path);
    } else if (element == QLatin1String("ellipse")) {
        appendEllipseOutline(attributes, "rx", "ry", path);
    } else if (element == QLatin1String("line")) {
        appendLineOutline(attributes, path);
    } else if (element == QLatin1String("rect")) {
        appendRectOutline(attributes, path);
    }
}
