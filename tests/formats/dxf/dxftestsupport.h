#pragma once

// Helpers shared by the DXF reader tests.

#include "drawing/drawing.h"

#include <QByteArray>
#include <QPointF>
#include <QVector>
#include <QRectF>
#include <QFile>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cmath>

namespace dxftest {

// A drawing in millimetres: the entities go between a header that sets
// $INSUNITS 4 and the end of file.
inline QByteArray inMillimetres(const QByteArray &entities)
{
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities
        + "0\nENDSEC\n0\nEOF\n";
}

// A number with every digit a double holds.
inline QByteArray number(double value)
{
    return QByteArray::number(value, 'g', 17);
}

// The groups of a SPLINE after its name: degree, knots and control points.
inline QByteArray splineData(int degree, const QVector<double> &knots, const QVector<QPointF> &points)
{
    QByteArray text = "100\nAcDbSpline\n70\n8\n71\n" + QByteArray::number(degree) + "\n72\n"
        + QByteArray::number(knots.size()) + "\n73\n" + QByteArray::number(points.size()) + "\n74\n0\n";
    for (double knot : knots)
        text += "40\n" + number(knot) + "\n";
    for (const QPointF &p : points)
        text += "10\n" + number(p.x()) + "\n20\n" + number(p.y()) + "\n30\n0\n";
    return text;
}

inline QByteArray spline(int degree, const QVector<double> &knots, const QVector<QPointF> &points)
{
    return "0\nSPLINE\n" + splineData(degree, knots, points);
}

inline QString writeFile(const QTemporaryDir &dir, const QByteArray &content)
{
    static int serial = 0;
    const QString path = dir.filePath(QStringLiteral("in%1.dxf").arg(++serial));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write the test input");
    return path;
}

inline QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// Every object as "x,y x,y ...", objects joined by " | ": exact digits, and
// a readable difference when a comparison fails.
inline QString describe(const Drawing &drawing)
{
    QStringList objects;
    for (const DrawingObject &object : drawing.objects()) {
        QStringList points;
        for (const DrawingPoint *point : object.points)
            points.append(numberText(point->x) + QLatin1Char(',') + numberText(point->y));
        objects.append(points.join(QLatin1Char(' ')));
    }
    return objects.join(QStringLiteral(" | "));
}

// QCOMPARE forgives the last digits of doubles; coordinates must match to
// the bit.
inline bool identical(double a, double b)
{
    return a == b || (a != a && b != b);
}

inline QByteArray mismatch(double actual, double expected)
{
    return (numberText(actual) + QStringLiteral(" instead of ") + numberText(expected)).toUtf8();
}

#define DXF_COMPARE_EXACTLY(actual, expected)                                                                         \
    QVERIFY2(dxftest::identical((actual), (expected)), dxftest::mismatch((actual), (expected)).constData())

// Empty when every edge of `actual` lies within `tolerance` of `expected`,
// else both rectangles as text.
inline QByteArray boundsMismatch(const QRectF &actual, const QRectF &expected, double tolerance)
{
    if (std::fabs(actual.left() - expected.left()) <= tolerance && std::fabs(actual.top() - expected.top()) <= tolerance
        && std::fabs(actual.right() - expected.right()) <= tolerance
        && std::fabs(actual.bottom() - expected.bottom()) <= tolerance)
        return QByteArray();
    auto edges = [](const QRectF &r) {
        return QStringList{numberText(r.left()), numberText(r.top()), numberText(r.right()), numberText(r.bottom())}
            .join(QLatin1Char(' '));
    };
    return (edges(actual) + QStringLiteral(" instead of ") + edges(expected)).toUtf8();
}

inline QVector<QPointF> pointsOf(const DrawingObject &object)
{
    QVector<QPointF> result;
    for (const DrawingPoint *point : object.points)
        result.append(QPointF(point->x, point->y));
    return result;
}

// The notes as "kind:name:count", joined by "; ", in their order.
inline QString notesText(const DrawingNotes &notes)
{
    QStringList parts;
    for (const DrawingNote &note : notes.list())
        parts.append(QStringLiteral("%1:%2:%3").arg(noteKindKey(note.kind), note.name).arg(note.count));
    return parts.join(QStringLiteral("; "));
}

inline int pointCount(const Drawing &drawing)
{
    int count = 0;
    for (const DrawingObject &object : drawing.objects())
        count += object.points.size();
    return count;
}

} // namespace dxftest
