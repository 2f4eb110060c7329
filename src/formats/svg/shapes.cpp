#include "shapes.h"

#include "notes.h"
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

// The text after a coordinate's number: nothing, or px, which is what a
// user unit is.
bool isUserUnit(QStringView rest)
{
    rest = rest.trimmed();
    return rest.isEmpty() || rest == QLatin1String("px");
}

double coordinate(const QXmlStreamAttributes &attributes, const char *name, SvgNotes &notes)
{
    const QStringView text = attribute(attributes, name);
    const QChar *cursor = text.begin();
    const double value = parseNumber(cursor, text.end());
    if (cursor != text.end()) {
        if (cursor == text.begin())
            notes.add(SvgNote::CoordinateUnreadable);
        else if (!isUserUnit(QStringView(cursor, text.end())))
            notes.add(SvgNote::CoordinateUnitIgnored);
    }
    return value;
}

double length(const QXmlStreamAttributes &attributes, const char *name, SvgNotes &notes)
{
    const QStringView text = attribute(attributes, name);
    double number = 0;
    const double factor = unitsPerMillimetre(text, &number);
    if (!text.isEmpty() && !text.back().isDigit()) {
        switch (lengthKind(text)) {
        case LengthKind::Unreadable: notes.add(SvgNote::SizeUnreadable); break;
        case LengthKind::Percent: notes.add(SvgNote::SizeInPercent); break;
        case LengthKind::UnknownUnit: notes.add(SvgNote::SizeInUnknownUnit); break;
        default: break;
        }
    }
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

// A radius is drawn above 0 only; NaN is no size either.
bool sizeDrawn(double size, SvgNote zero, SvgNote negative, SvgNotes &notes)
{
    if (size > 0)
        return true;
    notes.add(size < 0 ? negative : zero);
    return false;
}

void appendCircleOutline(const QXmlStreamAttributes &attributes, CheckedPainterPath &path, SvgNotes &notes)
{
    const double r = coordinate(attributes, "r", notes);
    if (!sizeDrawn(r, SvgNote::CircleZeroRadius, SvgNote::CircleNegativeRadius, notes))
        return;
    const double cx = coordinate(attributes, "cx", notes);
    const double cy = coordinate(attributes, "cy", notes);
    path.addEllipse(QPointF(cx, cy), r, r);
}

void appendEllipseOutline(const QXmlStreamAttributes &attributes, CheckedPainterPath &path, SvgNotes &notes)
{
    double rx = coordinate(attributes, "rx", notes);
    double ry = coordinate(attributes, "ry", notes);
    // A radius given alone serves both axes.
    const bool hasRx = !attribute(attributes, "rx").isEmpty();
    const bool hasRy = !attribute(attributes, "ry").isEmpty();
    if (hasRx && !hasRy)
        ry = rx;
    else if (hasRy && !hasRx)
        rx = ry;
    if (!sizeDrawn(rx, SvgNote::EllipseZeroRadius, SvgNote::EllipseNegativeRadius, notes)
        || !sizeDrawn(ry, SvgNote::EllipseZeroRadius, SvgNote::EllipseNegativeRadius, notes))
        return;
    const double cx = coordinate(attributes, "cx", notes);
    const double cy = coordinate(attributes, "cy", notes);
    path.addEllipse(QPointF(cx, cy), rx, ry);
}

void appendLineOutline(const QXmlStreamAttributes &attributes, CheckedPainterPath &path, SvgNotes &notes)
{
    // One after the other, so that notes come in the order of the attributes.
    const double x1 = coordinate(attributes, "x1", notes);
    const double y1 = coordinate(attributes, "y1", notes);
    const double x2 = coordinate(attributes, "x2", notes);
    const double y2 = coordinate(attributes, "y2", notes);
    path.moveTo(x1, y1);
    path.lineTo(x2, y2);
}

void appendRectOutline(const QXmlStreamAttributes &attributes, CheckedPainterPath &path, SvgNotes &notes)
{
    const double w = length(attributes, "width", notes);
    const double h = length(attributes, "height", notes);
    if (!sizeDrawn(w, SvgNote::RectZeroWidth, SvgNote::RectNegativeWidth, notes)
        || !sizeDrawn(h, SvgNote::RectZeroHeight, SvgNote::RectNegativeHeight, notes))
        return;
    const double x = coordinate(attributes, "x", notes);
    const double y = coordinate(attributes, "y", notes);
    double rx = coordinate(attributes, "rx", notes);
    double ry = coordinate(attributes, "ry", notes);
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

double svgCoordinate(const QXmlStreamAttributes &attributes, const char *name, SvgNotes &notes)
{
    return coordinate(attributes, name, notes);
}

void appendShapeOutline(SvgShape shape, const QXmlStreamAttributes &attributes, CheckedPainterPath &path,
                        SvgNotes &notes)
{
    switch (shape) {
    case SvgShape::Path:
        if (!parsePathData(attribute(attributes, "d"), path))
            notes.add(SvgNote::PathDataError);
        break;
    case SvgShape::Polygon:
        appendPointsOutline(attributes, true, path);
        break;
    case SvgShape::Polyline:
        appendPointsOutline(attributes, false, path);
        break;
    case SvgShape::Circle:
        appendCircleOutline(attributes, path, notes);
        break;
    case SvgShape::Ellipse:
        appendEllipseOutline(attributes, path, notes);
        break;
    case SvgShape::Line:
        appendLineOutline(attributes, path, notes);
        break;
    case SvgShape::Rect:
        appendRectOutline(attributes, path, notes);
        break;
    }
}
