#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class QTransform;

// The painter path that readers build the outlines of a file in.
//
// QPainterPath ignores, without a word, every call that holds a value it
// cannot take: NaN, an infinity, or a magnitude of 1e128 or more. A line
// whose start was ignored is then drawn from wherever the path stood, and a
// vertex or a whole curve goes missing. This path remembers that it ignored
// a call, so that the drawing it is flattened into fails rather than cut a
// shape the file never held.
class CheckedPainterPath
{
public:
    void moveTo(const QPointF &point);
    void moveTo(double x, double y) { moveTo(QPointF(x, y)); }
    void lineTo(const QPointF &point);
    void lineTo(double x, double y) { lineTo(QPointF(x, y)); }
    void cubicTo(const QPointF &control1, const QPointF &control2, const QPointF &end);
    void quadTo(const QPointF &control, const QPointF &end);
    void arcMoveTo(const QRectF &rect, double angle);
    void arcTo(const QRectF &rect, double startAngle, double sweepLength);
    void addEllipse(const QPointF &centre, double rx, double ry);
    void addRect(const QRectF &rect);
    void addRoundedRect(const QRectF &rect, double rx, double ry, Qt::SizeMode mode);
    void closeSubpath() { m_path.closeSubpath(); }

    // From a tolerance above 0 on, arcs and ellipses are added as lines that
    // keep within it of the true curve, and the cubics are flattened within
    // it too; 0 keeps QPainterPath's cubic pieces and the fixed point counts.
    // In the units of the drawing the path is flattened into; clear() keeps it.
    void setCurveTolerance(double tolerance) { m_curveTolerance = tolerance; }
    double curveTolerance() const { return m_curveTolerance; }

    // Empties the path and forgets what it ignored.
    void clear();
    void transform(const QTransform &matrix);

    bool isEmpty() const { return m_path.isEmpty(); }
    int elementCount() const { return m_path.elementCount(); }
    QPainterPath::Element elementAt(int i) const { return m_path.elementAt(i); }
    void setElementPositionAt(int i, double x, double y) { m_path.setElementPositionAt(i, x, y); }
    const QPainterPath &painterPath() const { return m_path; }

    // Whether a call was ignored for a value the path could not take.
    bool lostCoordinate() const { return m_lostCoordinate; }

private:
    void addArcLines(const QRectF &rect, double startAngle, double sweepLength, bool closing = false);
    bool takes(double value);
    bool takes(const QPointF &point) { return takes(point.x()) && takes(point.y()); }
    bool takes(const QRectF &rect) { return takes(rect.topLeft()) && takes(rect.width()) && takes(rect.height()); }

    QPainterPath m_path;
    bool m_lostCoordinate = false;
    double m_curveTolerance = 0;
};
