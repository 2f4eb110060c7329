#include "plotter.h"

#include "formats/formatoptions.h"

#include "drawing/checkedpainterpath.h"
#include "drawing/drawing.h"
#include "drawing/painterpathflattening.h"

#include <QRectF>
#include <QtMath>

#include <cmath>

HpglPlotter::HpglPlotter(Drawing &drawing, const Settings &settings)
    : m_drawing(drawing)
    , m_settings(settings)
    , m_object(drawing.addObject())
{
}

void HpglPlotter::selectPen(int pen)
{
    m_pens.push_back(pen > 9 ? 9 : pen < 1 ? 0 : pen);
}

void HpglPlotter::startMotion(Motion motion)
{
    if (motion == PenUp && m_positionKnown)
        m_penUpPending = true;
    if (motion == PenDown) {
        m_penDown = true;
        // Done on every PD, so a PD after a PD repeats the joint point.
        if (m_positionKnown)
            m_object->appendPoint(m_position);
    }
}

void HpglPlotter::moveTo(double x, double y, Motion motion)
{
    // Every pair of a PU is a pen-up move of its own: lifting only for the
    // first would let a weld at the first pair draw the travel to the next.
    if (motion == PenUp && m_positionKnown)
        m_penUpPending = true;
    const QPointF point = toMillimetres(x, y);
    carryOutPenUp(point);
    m_extremes.add(point.x(), point.y());
    if (m_penDown)
        m_object->appendPoint(point);
    moveInto(point);
}

void HpglPlotter::arcAround(double centreX, double centreY, double sweepDegrees)
{
    const QPointF centre = toMillimetres(centreX, centreY);
    const QPointF end = appendArc(centre, sweepDegrees);
    carryOutPenUp(end);
    // The file's own pair is the centre; that is what the bounds cover.
    m_extremes.add(centre.x(), centre.y());
    moveInto(end);
}

void HpglPlotter::lowerPen()
{
    if (m_penUpPending)
        carryOutPenUp(m_position);
    m_penDown = true;
}

void HpglPlotter::plotTo(const QPointF &point, Motion motion)
{
    if (motion == PenUp && m_positionKnown)
        m_penUpPending = true;
    carryOutPenUp(point);
    m_extremes.add(point.x(), point.y());
    if (m_penDown) {
        if (m_inPolygon && !m_subpolygonStarted) {
            m_subpolygonStarted = true;
            m_subpolygonStart = m_position;
        }
        if (m_object->points.isEmpty())
            m_object->appendPoint(m_position);
        m_object->appendPoint(point);
    }
    moveInto(point);
}

void HpglPlotter::drawChords(const std::vector<QPointF> &points)
{
    if (points.empty())
        return;
    carryOutPenUp(points.back());
    if (m_penDown && m_object->points.isEmpty())
        m_object->appendPoint(m_position);
    for (const QPointF &point : points) {
        m_extremes.add(point.x(), point.y());
        if (m_penDown)
            m_object->appendPoint(point);
    }
    moveInto(points.back());
}

void HpglPlotter::drawFigure(const std::vector<QPointF> &points)
{
    if (points.empty())
        return;
    if (!m_object->points.isEmpty())
        finishObject();
    for (const QPointF &point : points) {
        m_extremes.add(point.x(), point.y());
        m_object->appendPoint(point);
    }
    finishObject();
    // The pen goes back down where it was, so a stroke that goes on starts
    // there.
    if (m_penDown && !m_penUpPending && m_positionKnown)
        m_object->appendPoint(m_position);
}

void HpglPlotter::setPolygonMode(bool on)
{
    m_inPolygon = on;
    m_subpolygonStarted = false;
}

void HpglPlotter::closeSubpolygon()
{
    if (m_subpolygonStarted && m_penDown && !m_penUpPending && m_position != m_subpolygonStart)
        plotTo(m_subpolygonStart, PlotAbsolute);
    m_subpolygonStarted = false;
}

bool HpglPlotter::finish()
{
    if (!m_pens.empty())
        m_object->color = m_pens.front();
    m_drawing.removeEmptyObjects();
    if (m_extremes.isEmpty())
        return false;
    m_drawing.setBounds(m_extremes.rect());
    return true;
}

QPointF HpglPlotter::toMillimetres(double x, double y) const
{
    return QPointF(x / m_settings.unitsPerMillimetre, y / m_settings.unitsPerMillimetre);
}

// Returns where the arc ends. The painter path measures angles with y
// pointing down, so both angles go in negated.
QPointF HpglPlotter::appendArc(const QPointF &centre, double sweepDegrees)
{
    const double dx = m_position.x() - centre.x();
    const double dy = m_position.y() - centre.y();
    const double radius = std::hypot(dx, dy);
    const double startDegrees = qRadiansToDegrees(std::atan2(dy, dx));
    const QRectF square(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    CheckedPainterPath path;
    path.setCurveTolerance(m_settings.curveTolerance);
    path.arcMoveTo(square, -startDegrees);
    path.arcTo(square, -startDegrees, -sweepDegrees);
    // Flattened even when empty: a value out of range leaves the path without
    // a curve and the drawing out of range.
    appendPainterPath(path, m_drawing, m_object);
    // A zero radius draws nothing; the pen then stays where it is.
    if (path.isEmpty())
        return m_position;
    const DrawingPoint *end = m_object->lastPoint();
    return QPointF(end->x, end->y);
}

void HpglPlotter::carryOutPenUp(const QPointF &target)
{
    if (!m_penUpPending)
        return;
    if (m_positionKnown && !weldsTo(target) && !m_object->points.isEmpty())
        finishObject();
    m_penDown = false;
    m_penUpPending = false;
}

// A stroke that goes on where the last one stopped, with the same pen,
// stays one object when automatic weld is on.
bool HpglPlotter::weldsTo(const QPointF &target) const
{
    return m_settings.autoWeld && pointsCoincide(target, m_position)
        && (m_pens.empty() || m_pens.front() == m_pens.back());
}

void HpglPlotter::finishObject()
{
    if (!m_pens.empty()) {
        m_object->color = m_pens.front();
        // A lone pen stays queued for the objects that follow.
        if (m_pens.size() > 1)
            m_pens.pop_front();
    }
    m_drawing.markFinished(*m_object);
    m_object = m_drawing.addObject();
    progressCallback(m_settings.fileSize > 0 ? double(m_bytesRead) / m_settings.fileSize : 0.0);
}


void HpglPlotter::moveInto(const QPointF &point)
{
    m_position = point;
    m_positionKnown = true;
}
