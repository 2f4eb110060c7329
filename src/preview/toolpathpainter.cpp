#include "toolpathpainter.h"

#include "previewcolors.h"
#include "segmentclipping.h"
#include "thinlinerasteriser.h"
#include "toolpath.h"
#include "toolpathview.h"

#include <QLocale>
#include <QPainter>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace {

constexpr double lineWidth = 2;
// Past this many vertices the lines are drawn one pixel wide: the painter
// strokes those several times faster than wider ones, which keeps a
// repaint of a million vertices fluid.
constexpr std::size_t thinLinesFrom = 100000;
constexpr double firstPointRadius = 5;
constexpr double originRadius = 6;
// Major grid lines at least this far apart, minor ones at least the other.
constexpr double majorSpacing = 90;
constexpr double minorSpacing = 7;
// Lines are clipped to the area widened by this much, so that the painter
// never meets coordinates too large for its rasteriser.
constexpr double clipMargin = 64;
// A long polyline is stroked in pieces: stroking one piece costs more than
// in proportion to its length.
constexpr int pieceLength = 512;
// Travel dashes and the gaps between them, in pixels.
constexpr int travelDash = 8;
constexpr int travelGap = 6;
constexpr double travelCoverage = 2;

// Grid lines along one axis from low to high, at most a few thousand, so
// that a view panned far away cannot loop long.
template<typename Line>
void forEachGridLine(double low, double high, double step, Line line)
{
    constexpr int mostLines = 4000;
    int drawn = 0;
    for (double k = std::ceil(low / step); k * step <= high && drawn < mostLines; ++k, ++drawn)
        line(k * step);
}

struct GridSteps
{
    double major;
    double minor;
    int decimals;
};

GridSteps gridSteps(double scale)
{
    // The smallest of 1, 2 and 5 times a power of ten that leaves the major
    // lines far enough apart.
    const double least = majorSpacing / scale;
    int exponent = int(std::floor(std::log10(least)));
    double power = std::pow(10.0, exponent);
    int multiple = 1;
    while (multiple * power < least) {
        if (multiple == 5) {
            multiple = 1;
            power *= 10;
            ++exponent;
        } else {
            multiple = multiple == 1 ? 2 : 5;
        }
    }
    const double major = multiple * power;
    return {major, major / (multiple == 2 ? 4 : 5), std::max(0, -exponent)};
}

// QRectF::contains, but inline: it is asked for every vertex.
bool inside(const QPointF &point, const QRectF &box)
{
    return box.left() <= point.x() && point.x() <= box.right() && box.top() <= point.y() && point.y() <= box.bottom();
}

bool samePixel(const QPointF &a, const QPointF &b)
{
    return std::floor(a.x()) == std::floor(b.x()) && std::floor(a.y()) == std::floor(b.y());
}

// Collects the polylines of the visible cut, in device coordinates.
class PolylineBuilder
{
public:
    PolylineBuilder(QPainter &painter, const QRectF &box)
        : m_painter(painter)
        , m_box(box)
    {
        m_run.reserve(pieceLength + 1);
    }

    void lineTo(const QPointF &from, const QPointF &to)
    {
        if (inside(from, m_box) && inside(to, m_box)) {
            append(from, to);
            return;
        }
        QPointF a = from, b = to;
        if (!clipSegment(a, b, m_box)) {
            flush();
            return;
        }
        if (a != from)
            flush();
        append(a, b);
        if (b != to)
            flush();
    }

    void flush()
    {
        if (m_run.size() > 1)
            m_painter.drawPolyline(m_run.constData(), m_run.size());
        m_run.clear();
    }

private:
    void append(const QPointF &a, const QPointF &b)
    {
        if (m_run.isEmpty())
            m_run.append(a);
        m_run.append(b);
        if (m_run.size() > pieceLength) {
            const QPointF last = m_run.constLast();
            flush();
            m_run.append(last);
        }
    }

    QPainter &m_painter;
    QRectF m_box;
    QVector<QPointF> m_run;
};

double lineWidthFor(const Toolpath &toolpath)
{
    return toolpath.points.size() < thinLinesFrom ? lineWidth : 1;
}

void paintCuts(QPainter &painter, ThinLineRasteriser *rasteriser, const QRectF &box, const Toolpath &toolpath,
               const ToolpathView &view)
{
    const QRectF visible = view.visibleDrawing(box);
    const double width = lineWidthFor(toolpath);
    QPen pen{QColor::fromRgba(PreviewColors::cut), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin};
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (rasteriser) {
        rasteriser->setColour(PreviewColors::cut);
        rasteriser->setDash(1, 0);
    }
    PolylineBuilder builder(painter, box);
    // An object of one vertex is a plunge: a dot, or it would not show.
    QVector<QPointF> plunges;
    for (std::size_t object = 0; object < toolpath.objectCount(); ++object) {
        const QRectF &bounds = toolpath.objectBounds[object];
        // Compared by hand: a box of a straight line along an axis has no
        // area, which QRectF::intersects would take for no box at all.
        if (bounds.right() < visible.left() || bounds.left() > visible.right() || bounds.bottom() < visible.top()
            || bounds.top() > visible.bottom())
            continue;
        const std::size_t begin = toolpath.objectStarts[object];
        const std::size_t end = toolpath.objectStarts[object + 1];
        QPointF drawn = view.toDevice(toolpath.points[begin]);
        if (end - begin == 1 && box.contains(drawn))
            plunges.append(drawn);
        if (rasteriser && end - begin > 1) {
            // A line from one pixel to another is drawn the same whatever
            // else lies in those pixels, so the rasteriser needs no help.
            rasteriser->moveTo(drawn);
            for (std::size_t i = begin + 1; i < end; ++i)
                rasteriser->lineTo(view.toDevice(toolpath.points[i]));
            continue;
        }
        for (std::size_t i = begin + 1; i < end; ++i) {
            const QPointF next = view.toDevice(toolpath.points[i]);
            if (samePixel(next, drawn) && i + 1 < end)
                continue;
            builder.lineTo(drawn, next);
            drawn = next;
        }
        builder.flush();
    }
    pen.setCapStyle(Qt::RoundCap);
    pen.setWidthF(width * 2);
    painter.setPen(pen);
    painter.drawPoints(plunges);
}

// The travel moves in device coordinates, clipped to box.
QVector<QLineF> travelLines(const QRectF &box, const Toolpath &toolpath, const ToolpathView &view)
{
    QVector<QLineF> lines;
    QPointF tool = view.toDevice(QPointF(0, 0));
    for (std::size_t object = 0; object < toolpath.objectCount(); ++object) {
        QPointF from = tool;
        QPointF to = view.toDevice(toolpath.points[toolpath.objectStarts[object]]);
        tool = view.toDevice(toolpath.points[toolpath.objectStarts[object + 1] - 1]);
        if (!samePixel(from, to) && clipSegment(from, to, box))
            lines.append(QLineF(from, to));
    }
    return lines;
}

// Dashes as on a small drawing, but where so many travel moves cross the
// picture that they would ink it over more than travelCoverage times, the
// gaps widen to keep to that: the picture is a haze of travel either way,
// and the cost stays bounded.
void rasteriseTravel(ThinLineRasteriser &rasteriser, const QVector<QLineF> &lines, const QRectF &box)
{
    double length = 0;
    for (const QLineF &line : lines)
        length += std::max(std::abs(line.dx()), std::abs(line.dy()));
    const double inkable = travelCoverage * box.width() * box.height();
    const double period = std::min(length * travelDash / std::max(inkable, 1.0), 1e6);
    rasteriser.setColour(PreviewColors::travel);
    rasteriser.setDash(travelDash, std::max(travelGap, int(std::ceil(period)) - travelDash));
    for (const QLineF &line : lines)
        rasteriser.drawLine(line.p1(), line.p2());
}

void paintTravel(QPainter &painter, ThinLineRasteriser *rasteriser, const QRectF &box, const Toolpath &toolpath,
                 const ToolpathView &view)
{
    const QVector<QLineF> lines = travelLines(box, toolpath, view);
    if (rasteriser)
        return rasteriseTravel(*rasteriser, lines, box);
    const double width = lineWidthFor(toolpath);
    QPen pen{QColor::fromRgba(PreviewColors::travel), width, Qt::CustomDashLine, Qt::FlatCap};
    pen.setDashPattern({travelDash / width, travelGap / width});
    painter.setPen(pen);
    for (int first = 0; first < lines.size(); first += pieceLength)
        painter.drawLines(lines.constData() + first, std::min(pieceLength, lines.size() - first));
}

void paintMarker(QPainter &painter, const QRectF &box, const QPointF &at, QRgb colour, double radius)
{
    if (!box.contains(at))
        return;
    painter.setPen(QPen(QColor::fromRgba(colour), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, radius, radius);
}

void paintOrigin(QPainter &painter, const QRectF &box, const ToolpathView &view)
{
    const QPointF at = view.toDevice(QPointF(0, 0));
    if (!box.contains(at))
        return;
    paintMarker(painter, box, at, PreviewColors::origin, originRadius);
    painter.drawLine(at - QPointF(originRadius * 2, 0), at + QPointF(originRadius * 2, 0));
    painter.drawLine(at - QPointF(0, originRadius * 2), at + QPointF(0, originRadius * 2));
}

} // namespace

void paintGrid(QPainter &painter, const QRectF &area, const ToolpathView &view)
{
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, QColor::fromRgba(PreviewColors::background));
    painter.setRenderHint(QPainter::Antialiasing, false);
    const GridSteps steps = gridSteps(view.scale());
    const QRectF visible = view.visibleDrawing(area);
    const auto lines = [&](double step, QRgb colour) {
        if (step * view.scale() < minorSpacing)
            return;
        painter.setPen(QPen(QColor::fromRgba(colour), 0));
        forEachGridLine(visible.left(), visible.right(), step, [&](double x) {
            const double at = view.toDevice(QPointF(x, 0)).x();
            painter.drawLine(QLineF(at, area.top(), at, area.bottom()));
        });
        forEachGridLine(visible.top(), visible.bottom(), step, [&](double y) {
            const double at = view.toDevice(QPointF(0, y)).y();
            painter.drawLine(QLineF(area.left(), at, area.right(), at));
        });
    };
    lines(steps.minor, PreviewColors::minorGrid);
    lines(steps.major, PreviewColors::majorGrid);

    // The axes where they are in sight, else along the edge nearest them,
    // so that the labels always show.
    const QPointF origin = view.toDevice(QPointF(0, 0));
    const QFontMetricsF metrics(painter.font());
    const double axisY = std::clamp(origin.y(), area.top(), area.bottom() - metrics.height());
    const double axisX = std::clamp(origin.x(), area.left(), area.right() - metrics.horizontalAdvance(QStringLiteral("-00000")));
    painter.setPen(QPen(QColor::fromRgba(PreviewColors::axis), 0));
    if (area.top() <= origin.y() && origin.y() <= area.bottom())
        painter.drawLine(QLineF(area.left(), origin.y(), area.right(), origin.y()));
    if (area.left() <= origin.x() && origin.x() <= area.right())
        painter.drawLine(QLineF(origin.x(), area.top(), origin.x(), area.bottom()));

    const QLocale locale;
    painter.setPen(QColor::fromRgba(PreviewColors::label));
    const double step = steps.major;
    forEachGridLine(visible.left(), visible.right(), step, [&](double x) {
        const double at = view.toDevice(QPointF(x, 0)).x();
        if (std::abs(x) >= step / 2)
            painter.drawText(QPointF(at + 3, axisY + metrics.ascent() + 2), locale.toString(x, 'f', steps.decimals));
    });
    forEachGridLine(visible.top(), visible.bottom(), step, [&](double y) {
        const double at = view.toDevice(QPointF(0, y)).y();
        if (std::abs(y) >= step / 2)
            painter.drawText(QPointF(axisX + 3, at - 3), locale.toString(y, 'f', steps.decimals));
    });
    painter.drawText(QPointF(area.right() - metrics.horizontalAdvance(QStringLiteral("X mm")) - 4, axisY - 4),
                     QStringLiteral("X mm"));
    painter.drawText(QPointF(axisX + 3, area.top() + metrics.ascent() + 2), QStringLiteral("Y mm"));
    painter.restore();
}

void paintToolpath(QPainter &painter, const QRectF &area, const Toolpath &toolpath, const ToolpathView &view)
{
    paintGrid(painter, area, view);
    painter.save();
    painter.setClipRect(area);
    // Smoothing costs more per pixel than the lines themselves once they
    // are many and thin; such lines are set pixel by pixel where possible.
    const bool thin = lineWidthFor(toolpath) == 1;
    painter.setRenderHint(QPainter::Antialiasing, !thin);
    std::optional<ThinLineRasteriser> rasteriser;
    if (thin)
        rasteriser = ThinLineRasteriser::into(painter, area.toAlignedRect());
    ThinLineRasteriser *lines = rasteriser ? &*rasteriser : nullptr;
    const QRectF box = area.adjusted(-clipMargin, -clipMargin, clipMargin, clipMargin);
    if (toolpath.objectCount() > 0) {
        paintTravel(painter, lines, box, toolpath, view);
        paintCuts(painter, lines, box, toolpath, view);
        paintMarker(painter, box, view.toDevice(toolpath.points.front()), PreviewColors::firstPoint, firstPointRadius);
    }
    paintOrigin(painter, box, view);
    painter.restore();
}
