#pragma once

#include "drawing/pointextremes.h"

#include <QPointF>
#include <QtGlobal>

#include <deque>
#include <vector>

class Drawing;
class DrawingObject;

// The pen of an HPGL plotter drawing into a Drawing: pen-down moves and
// arcs become points of the current object, a pen-up move finishes it, and
// the queued pen numbers become the objects' colours. Coordinates come in
// plotter units and go into the drawing in millimetres, y up.
class HpglPlotter
{
public:
    enum Motion { PenUp, PenDown, PlotAbsolute };

    struct Settings
    {
        double unitsPerMillimetre;
        bool autoWeld;
        double fileSize; // bytes, for the progress fraction
        double curveTolerance = 0; // mm, 0 for the fixed point counts
    };

    HpglPlotter(Drawing &drawing, const Settings &settings);

    void selectPen(int pen);
    // What a PU or PD does before its coordinates, also when it has none.
    void startMotion(Motion motion);
    void moveTo(double x, double y, Motion motion);
    // An arc around the centre from the current position, counter-clockwise
    // for a positive sweep.
    void arcAround(double centreX, double centreY, double sweepDegrees);

    // The full instruction set, which places points itself, in
    // millimetres.
    QPointF position() const { return m_position; }
    // PD as the plotter does it: a bare PU before it lifts the pen for
    // good, and the stroke starts where the pen is.
    void lowerPen();
    // A move with the pen as it is, to a point placed already.
    void plotTo(const QPointF &point, Motion motion);
    // The chords of an arc from the current position, drawn only while the
    // pen is down; the pen ends at the last point.
    void drawChords(const std::vector<QPointF> &points);
    // A closed figure of its own (circle, rectangle), which the plotter
    // draws with the pen down whatever its state, and after which it
    // returns to where it was, its pen as it was.
    void drawFigure(const std::vector<QPointF> &points);
    // Polygon mode: its outlines are drawn as they are given, and each is
    // closed back to where its first drawn edge began.
    void setPolygonMode(bool on);
    void closeSubpolygon();

    // Bytes of the file read so far, for the progress reported when an
    // object is finished.
    void setBytesRead(qint64 bytes) { m_bytesRead = bytes; }

    // Ends the drawing; false when no coordinate pair was read.
    bool finish();

private:
    QPointF toMillimetres(double x, double y) const;
    QPointF appendArc(const QPointF &centre, double sweepDegrees);
    void carryOutPenUp(const QPointF &target);
    bool weldsTo(const QPointF &target) const;
    void finishObject();
    void moveInto(const QPointF &point);

    Drawing &m_drawing;
    const Settings m_settings;
    DrawingObject *m_object;
    QPointF m_position;
    // The origin is a real place, so whether a position is known needs a
    // flag of its own.
    bool m_positionKnown = false;
    bool m_penDown = false;
    bool m_penUpPending = false;
    std::deque<qint32> m_pens;
    PointExtremes m_extremes;
    bool m_inPolygon = false;
    bool m_subpolygonStarted = false;
    QPointF m_subpolygonStart;
    qint64 m_bytesRead = 0;
};
