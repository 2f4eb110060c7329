#include "dxftestsupport.h"

#include "drawing/drawing.h"
#include "drawing/drawingstorage.h"
#include "formats/dxf/bsplinebasis.h"
#include "formats/dxf/reader.h"
#include "formats/formatoptions.h"

#include <QtTest>

#include <cmath>
#include <random>

using namespace dxftest;

namespace {

struct PolylineVertex
{
    double x;
    double y;
    double bulge;
};

QByteArray lightweightPolyline(int flags, const QVector<PolylineVertex> &vertices)
{
    QByteArray text = "0\nLWPOLYLINE\n100\nAcDbPolyline\n90\n" + QByteArray::number(vertices.size()) + "\n70\n"
        + QByteArray::number(flags) + "\n";
    for (const PolylineVertex &v : vertices) {
        text += "10\n" + number(v.x) + "\n20\n" + number(v.y) + "\n";
        if (v.bulge != 0)
            text += "42\n" + number(v.bulge) + "\n";
    }
    return text;
}

QByteArray arc(double cx, double cy, double radius, double start, double end)
{
    return "0\nARC\n10\n" + number(cx) + "\n20\n" + number(cy) + "\n40\n" + number(radius) + "\n50\n" + number(start)
        + "\n51\n" + number(end) + "\n";
}

QByteArray ellipse(double cx, double cy, double ax, double ay, double ratio, double p0, double p1)
{
    return "0\nELLIPSE\n10\n" + number(cx) + "\n20\n" + number(cy) + "\n11\n" + number(ax) + "\n21\n" + number(ay)
        + "\n40\n" + number(ratio) + "\n41\n" + number(p0) + "\n42\n" + number(p1) + "\n";
}

const QVector<double> bezierKnots{0, 0, 0, 0, 1, 1, 1, 1};
const QVector<QPointF> bezierPoints{{0, 0}, {1, 2}, {3, 2}, {4, 0}};

QPointF bezierAt(double t)
{
    const double u = 1 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    return b0 * bezierPoints[0] + b1 * bezierPoints[1] + b2 * bezierPoints[2] + b3 * bezierPoints[3];
}

double distance(const QPointF &a, const QPointF &b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

bool hasPointNear(const QVector<QPointF> &points, const QPointF &target, double tolerance)
{
    for (const QPointF &p : points) {
        if (distance(p, target) <= tolerance)
            return true;
    }
    return false;
}

// The full Cox-de Boor recursion over every basis function, straight from
// its definition, as the reference for the windowed evaluation.
QPointF fullRecursionAt(const std::vector<double> &x, const QVector<QPointF> &b, int k, double t)
{
    const int m = b.size();
    const int total = m + k;
    std::vector<double> n(std::size_t(total), 0.0);
    for (int i = 0; i < total - 1; ++i)
        n[std::size_t(i)] = (x[i] <= t && t < x[i + 1]) ? 1 : 0;
    for (int q = 2; q <= k; ++q) {
        for (int i = 0; i < total - q; ++i) {
            const double d = n[i] != 0 ? ((t - x[i]) * n[i]) / (x[i + q - 1] - x[i]) : 0;
            const double e = n[i + 1] != 0 ? ((x[i + q] - t) * n[i + 1]) / (x[i + q] - x[i + 1]) : 0;
            n[std::size_t(i)] = d + e;
        }
    }
    if (t == x[total - 1])
        n[std::size_t(m - 1)] = 1;
    double sum = 0;
    for (int i = 0; i < m; ++i)
        sum = sum + n[i];
    double px = 0, py = 0;
    for (int i = 0; i < m; ++i) {
        const double r = sum != 0 ? n[i] / sum : 0;
        px = px + r * b[i].x();
        py = py + r * b[i].y();
    }
    return QPointF(px, py);
}

// Whether reading the file under the given memory limit fails as out of
// memory; the drawing keeps what was read until then.
bool readsOutOfMemory(const QString &path, std::size_t memoryLimit, Drawing &drawing)
{
    const std::size_t previous = DrawingStorage::setMemoryLimit(memoryLimit);
    bool outOfMemory = false;
    try {
        readDxf(path, drawing);
    } catch (const std::bad_alloc &) {
        outOfMemory = true;
    }
    DrawingStorage::setMemoryLimit(previous);
    return outOfMemory;
}

} // namespace

class TestDxfReaderCurves : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void bulgeArcs_data();
    void bulgeArcs();
    void polylineSegments_data();
    void polylineSegments();
    void arcs_data();
    void arcs();
    void arcAcrossZeroDegrees();
    void circleStartsRightAndTurnsCounterClockwise();
    void ellipses_data();
    void ellipses();
    void cubicSplineIsItsBezierCurve();
    void splineResolution_data();
    void splineResolution();
    void splinesBeyondTheMemoryLimitFail();
    void splineBeyondTheMemoryLimitFailsBeforeSampling();
    void splineParameterStartsAtZero();
    void helixIsDrawnThroughItsSplineData_data();
    void helixIsDrawnThroughItsSplineData();
    void splinesThatDrawNothing_data();
    void splinesThatDrawNothing();
    void windowedBasisMatchesFullRecursion();
    void hostileCounts_data();
    void hostileCounts();
    void repeatedGroupsBelongToTheirEntity_data();
    void repeatedGroupsBelongToTheirEntity();

private:
    Drawing *read(const QByteArray &entities);

    QTemporaryDir m_dir;
    std::unique_ptr<Drawing> m_drawing;
};

void TestDxfReaderCurves::cleanup()
{
    m_drawing.reset();
}

Drawing *TestDxfReaderCurves::read(const QByteArray &entities)
{
    m_drawing.reset(new Drawing);
    readDxf(writeFile(m_dir, inMillimetres(entities)), *m_drawing);
    return m_drawing.get();
}

void TestDxfReaderCurves::bulgeArcs_data()
{
    QTest::addColumn<double>("bulge");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<double>("radius");
    QTest::addColumn<QPointF>("through");
    QTest::addColumn<int>("points");
    QTest::newRow("bulge 1: half circle below") << 1.0 << QPointF(1, 0) << 1.0 << QPointF(1, -1) << 19;
    QTest::newRow("bulge -1: half circle above") << -1.0 << QPointF(1, 0) << 1.0 << QPointF(1, 1) << 19;
    QTest::newRow("bulge 0.5: short arc below") << 0.5 << QPointF(1, 0.75) << 1.25 << QPointF(1, -0.5) << 20;
    QTest::newRow("bulge -0.5: short arc above") << -0.5 << QPointF(1, -0.75) << 1.25 << QPointF(1, 0.5) << 20;
    QTest::newRow("bulge 2: long arc below") << 2.0 << QPointF(1, -0.75) << 1.25 << QPointF(1, -2) << 38;
}

void TestDxfReaderCurves::bulgeArcs()
{
    QFETCH(double, bulge);
    QFETCH(QPointF, centre);
    QFETCH(double, radius);
    QFETCH(QPointF, through);
    QFETCH(int, points);
    const Drawing *drawing = read(lightweightPolyline(0, {{0, 0, bulge}, {2, 0, 0}}));
    QCOMPARE(drawing->objects().size(), 1);
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    QCOMPARE(drawn.size(), points);
    QCOMPARE(drawn.first(), QPointF(0, 0));
    // The painter path approximates an arc that starts or ends inside a
    // quarter by a piece of the quarter's cubic: its ends are close to the
    // vertices, and a short line joins the first vertex to the arc.
    QVERIFY(distance(drawn.last(), QPointF(2, 0)) < 1e-4 * radius);
    // The cubic pieces meet where the arc crosses the axes of its circle,
    // so that point is drawn.
    QVERIFY(hasPointNear(drawn, through, 1e-12));
    for (const QPointF &p : drawn)
        QVERIFY2(std::fabs(distance(p, centre) - radius) < 1e-3 * radius, qPrintable(numberText(p.x())));
}

void TestDxfReaderCurves::polylineSegments_data()
{
    QTest::addColumn<QByteArray>("entities");
    QTest::addColumn<QString>("drawn");
    const QVector<PolylineVertex> square{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};
    QTest::newRow("closed: four segments back to the first vertex")
        << lightweightPolyline(1, square) << QStringLiteral("0,0 2,0 2,2 0,2 0,0");
    QTest::newRow("other flag bits do not close") << lightweightPolyline(128, square) << QStringLiteral("0,0 2,0 2,2 0,2");
    QTest::newRow("closed with two vertices: one segment")
        << lightweightPolyline(1, {{0, 0, 0}, {2, 0, 0}}) << QStringLiteral("0,0 2,0");
    QTest::newRow("bulge 0 is straight") << lightweightPolyline(0, {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}})
                                         << QStringLiteral("0,0 2,0 2,1");
    QTest::newRow("bulge between equal vertices is straight")
        << lightweightPolyline(0, {{0, 0, 1}, {0, 0, 0}, {1, 0, 0}}) << QStringLiteral("0,0 1,0");
    QTest::newRow("bulge of the last vertex of an open polyline is unused")
        << lightweightPolyline(0, {{0, 0, 0}, {2, 0, 1}}) << QStringLiteral("0,0 2,0");
    QTest::newRow("more vertices than announced overwrite the last")
        << QByteArray("0\nLWPOLYLINE\n90\n2\n10\n0\n20\n0\n10\n1\n20\n1\n10\n5\n20\n6\n")
        << QStringLiteral("0,0 5,6");
    QTest::newRow("coordinates before the first vertex are dropped")
        << QByteArray("0\nLWPOLYLINE\n90\n2\n20\n9\n42\n1\n10\n1\n20\n2\n10\n3\n20\n4\n")
        << QStringLiteral("1,2 3,4");
    QTest::newRow("fewer vertices than announced: only those given, never the origin")
        << QByteArray("0\nLWPOLYLINE\n90\n4\n70\n0\n10\n5\n20\n5\n10\n10\n20\n5\n10\n10\n20\n10\n")
        << QStringLiteral("5,5 10,5 10,10");
    QTest::newRow("fewer vertices than announced, closed: the given ones closed")
        << QByteArray("0\nLWPOLYLINE\n90\n5\n70\n1\n10\n1\n20\n1\n10\n2\n20\n1\n10\n2\n20\n2\n")
        << QStringLiteral("1,1 2,1 2,2 1,1");
    QTest::newRow("vertices in a block are shifted by its base point")
        << "0\nBLOCK\n10\n10\n20\n20\n" + lightweightPolyline(0, {{0, 0, 0}, {1, 0, 0}}) + "0\nENDBLK\n"
        << QStringLiteral("10,20 11,20");
}

void TestDxfReaderCurves::polylineSegments()
{
    QFETCH(QByteArray, entities);
    QFETCH(QString, drawn);
    QCOMPARE(describe(*read(entities)), drawn);
}

void TestDxfReaderCurves::arcs_data()
{
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<int>("points");
    QTest::newRow("radius 10, quarter: 15 points") << 10.0 << 0.0 << 90.0 << 15;
    QTest::newRow("radius 100, full circle: at most 86") << 100.0 << 0.0 << 360.0 << 86;
    QTest::newRow("radius 0.1: at least 6") << 0.1 << 0.0 << 90.0 << 6;
    QTest::newRow("radius 20, half: 62 points") << 20.0 << 180.0 << 360.0 << 62;
    QTest::newRow("start after end wraps round") << 10.0 << 270.0 << 0.0 << 15;
}

void TestDxfReaderCurves::arcs()
{
    QFETCH(double, radius);
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(int, points);
    const QPointF centre(5, -3);
    const Drawing *drawing = read(arc(centre.x(), centre.y(), radius, start, end));
    QCOMPARE(drawing->objects().size(), 1);
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    QCOMPARE(drawn.size(), points);
    if (end < start)
        end += 360;
    for (int j = 0; j < points; ++j) {
        const double angle = qDegreesToRadians(start + (end - start) * j / (points - 1));
        const QPointF expected(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
        DXF_COMPARE_EXACTLY(drawn[j].x(), expected.x());
        DXF_COMPARE_EXACTLY(drawn[j].y(), expected.y());
    }
}

void TestDxfReaderCurves::arcAcrossZeroDegrees()
{
    const Drawing *drawing = read(arc(0, 0, 10, 350, 10));
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    QCOMPARE(drawn.size(), 6);
    QVERIFY(drawn.first().y() < 0);
    QVERIFY(drawn.last().y() > 0);
    for (const QPointF &p : drawn)
        QVERIFY(p.x() > 9.8);
}

void TestDxfReaderCurves::circleStartsRightAndTurnsCounterClockwise()
{
    const Drawing *drawing = read("0\nCIRCLE\n10\n2\n20\n3\n40\n1\n");
    QCOMPARE(drawing->objects().size(), 1);
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    // Four cubic quarters of 10 points each, sharing their ends.
    QCOMPARE(drawn.size(), 37);
    QCOMPARE(drawn.first(), QPointF(3, 3));
    QVERIFY(distance(drawn[9], QPointF(2, 4)) < 1e-12);
    QVERIFY(distance(drawn[18], QPointF(1, 3)) < 1e-12);
    QVERIFY(distance(drawn.last(), drawn.first()) < 1e-12);
}

void TestDxfReaderCurves::ellipses_data()
{
    QTest::addColumn<QByteArray>("entities");
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("closed");
    const double turn = 6.283185307179586;
    QTest::newRow("lying") << ellipse(0, 0, 10, 0, 0.5, 0, turn) << QRectF(-10, -5, 20, 10) << 37 << true;
    QTest::newRow("standing") << ellipse(0, 0, 0, 10, 0.5, 0, turn) << QRectF(-5, -10, 10, 20) << 37 << true;
    QTest::newRow("upper half") << ellipse(1, 1, 10, 0, 0.5, 0, turn / 2) << QRectF(-9, 1, 20, 5) << 19 << false;
    QTest::newRow("end before start wraps round")
        << ellipse(0, 0, 10, 0, 0.5, turn * 3 / 4, turn / 4) << QRectF(0, -5, 10, 10) << 19 << false;
    QTest::newRow("default parameters: whole ellipse")
        << QByteArray("0\nELLIPSE\n10\n0\n20\n0\n11\n10\n21\n0\n40\n0.5\n") << QRectF(-10, -5, 20, 10) << 37 << true;
    QTest::newRow("major axis is not shifted by the block")
        << "0\nBLOCK\n10\n100\n20\n0\n" + ellipse(0, 0, 10, 0, 0.5, 0, turn) + "0\nENDBLK\n"
        << QRectF(90, -5, 20, 10) << 37 << true;
}

void TestDxfReaderCurves::ellipses()
{
    QFETCH(QByteArray, entities);
    QFETCH(QRectF, bounds);
    QFETCH(int, points);
    QFETCH(bool, closed);
    const Drawing *drawing = read(entities);
    QCOMPARE(drawing->objects().size(), 1);
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    QCOMPARE(drawn.size(), points);
    QCOMPARE(distance(drawn.first(), drawn.last()) < 1e-9, closed);
    const QByteArray mismatch = boundsMismatch(drawing->bounds(), bounds, 1e-9);
    QVERIFY2(mismatch.isEmpty(), mismatch.constData());
}

void TestDxfReaderCurves::cubicSplineIsItsBezierCurve()
{
    const Drawing *drawing = read(spline(3, bezierKnots, bezierPoints));
    QCOMPARE(drawing->objects().size(), 1);
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    QCOMPARE(drawn.size(), 32);
    QCOMPARE(drawn.first(), bezierPoints.first());
    DXF_COMPARE_EXACTLY(drawn.last().x(), 4.0);
    DXF_COMPARE_EXACTLY(drawn.last().y(), 0.0);
    for (int s = 0; s < drawn.size(); ++s)
        QVERIFY(distance(drawn[s], bezierAt(s / 31.0)) < 1e-12);
}

void TestDxfReaderCurves::splineResolution_data()
{
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<int>("optionSegments");
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<int>("points");
    const QByteArray segs4("9\n$SPLINESEGS\n70\n4\n");
    QTest::newRow("option") << QByteArray() << 8 << true << 32;
    QTest::newRow("option of the running conversion") << QByteArray() << 5 << true << 20;
    QTest::newRow("file's value") << segs4 << 8 << true << 16;
    QTest::newRow("file's value not wanted") << segs4 << 8 << false << 32;
    QTest::newRow("zero keeps the option") << QByteArray("9\n$SPLINESEGS\n70\n0\n") << 5 << true << 20;
    QTest::newRow("negative keeps the option") << QByteArray("9\n$SPLINESEGS\n70\n-3\n") << 5 << true << 20;
    QTest::newRow("beyond the variable's range keeps the option")
        << QByteArray("9\n$SPLINESEGS\n70\n2147483647\n") << 5 << true << 20;
    QTest::newRow("largest value of the variable") << QByteArray("9\n$SPLINESEGS\n70\n32767\n") << 5 << true
                                                   << 4 * 32767;
    QTest::newRow("option beyond the variable's range is held to it")
        << QByteArray() << 2147483647 << true << 4 * 32767;
    QTest::newRow("file's zero keeps an option beyond the range held to it")
        << QByteArray("9\n$SPLINESEGS\n70\n0\n") << 2147483647 << true << 4 * 32767;
    QTest::newRow("option of zero draws nothing") << QByteArray() << 0 << false << 0;
    QTest::newRow("negative option draws nothing") << QByteArray() << -2147483647 - 1 << false << 0;
}

void TestDxfReaderCurves::splineResolution()
{
    QFETCH(QByteArray, header);
    QFETCH(int, optionSegments);
    QFETCH(bool, fromFile);
    QFETCH(int, points);
    ConversionOptions options;
    options.dxfSplineSegments = optionSegments;
    options.dxfSplineSegmentsFromFile = fromFile;
    const ScopedConversionOptions installed(options);
    Drawing drawing;
    readDxf(writeFile(m_dir, header + "9\n$INSUNITS\n70\n4\n" + spline(3, bezierKnots, bezierPoints) + "0\nEOF\n"),
            drawing);
    QCOMPARE(pointCount(drawing), points);
}

// A few hundred bytes asking for millions of points: past the drawing's
// memory limit the file fails as out of memory instead of taking all the
// machine has.
void TestDxfReaderCurves::splinesBeyondTheMemoryLimitFail()
{
    const QByteArray header("9\n$SPLINESEGS\n70\n32767\n9\n$INSUNITS\n70\n4\n");
    const QByteArray oneSpline = spline(3, bezierKnots, bezierPoints);
    const QString path = writeFile(m_dir, header + oneSpline + oneSpline + oneSpline + "0\nEOF\n");
    Drawing drawing;
    QVERIFY(readsOutOfMemory(path, std::size_t(8) << 20, drawing));
    Drawing again;
    QVERIFY(readDxf(path, again));
    QCOMPARE(pointCount(again), 3 * 4 * 32767);
}

// Twenty thousand knot spans of length zero asked for seconds of sampling
// that came to nothing; now the count alone fails the file.
void TestDxfReaderCurves::splineBeyondTheMemoryLimitFailsBeforeSampling()
{
    QVector<double> knots(2001, 0.0);
    knots << 1.0;
    QVector<QPointF> points;
    for (int i = 0; i < 2000; ++i)
        points << QPointF(i, i % 2);
    const QString path = writeFile(m_dir, "9\n$SPLINESEGS\n70\n1000\n" + spline(1, knots, points) + "0\nEOF\n");
    // Two million samples of at least 56 bytes each pass a 64 MiB limit.
    Drawing drawing;
    QVERIFY(readsOutOfMemory(path, std::size_t(64) << 20, drawing));
    QCOMPARE(pointCount(drawing), 0);
}

void TestDxfReaderCurves::splineParameterStartsAtZero()
{
    // The samples before the first knot have no basis and land on the
    // origin; the last knot is reached all the same.
    const QVector<QPointF> shifted{{1, 1}, {2, 3}, {4, 3}, {5, 1}};
    const Drawing *drawing = read(spline(3, {1, 1, 1, 1, 2, 2, 2, 2}, shifted));
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    QCOMPARE(drawn.size(), 17);
    QCOMPARE(drawn.first(), QPointF(0, 0));
    QCOMPARE(drawn.last(), QPointF(5, 1));
}

void TestDxfReaderCurves::helixIsDrawnThroughItsSplineData_data()
{
    QTest::addColumn<QByteArray>("entity");
    // The axis base point (10, 20) and the start point (11, 21) of the helix
    // follow its marker and must not touch the control points.
    const QByteArray helixGroups("100\nAcDbHelix\n90\n29\n91\n63\n10\n99\n20\n99\n30\n0\n11\n50\n21\n50\n40\n7\n41\n3\n");
    QTest::newRow("HELIX") << "0\nHELIX\n" + splineData(3, bezierKnots, bezierPoints) + helixGroups;
    QTest::newRow("SPLINE with the helix marker") << "0\nSPLINE\n" + splineData(3, bezierKnots, bezierPoints)
            + helixGroups;
}

void TestDxfReaderCurves::helixIsDrawnThroughItsSplineData()
{
    QFETCH(QByteArray, entity);
    const Drawing *drawing = read(entity);
    const QVector<QPointF> drawn = pointsOf(drawing->objects().first());
    QCOMPARE(drawn.size(), 32);
    QCOMPARE(drawn.first(), bezierPoints.first());
    QVERIFY(distance(drawn.last(), bezierPoints.last()) < 1e-12);
}

void TestDxfReaderCurves::splinesThatDrawNothing_data()
{
    QTest::addColumn<QByteArray>("entity");
    QTest::newRow("degree 5") << spline(5, {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}, bezierPoints + bezierPoints.mid(0, 2));
    QTest::newRow("fewer control points than the order") << spline(3, {0, 0, 0, 0, 1, 1, 1}, bezierPoints.mid(0, 3));
    QTest::newRow("fewer knots than control points and order") << spline(3, {0, 0, 0, 0, 1, 1, 1}, bezierPoints);
    QTest::newRow("knots announced but missing")
        << QByteArray("0\nSPLINE\n71\n3\n72\n8\n73\n4\n40\n0\n40\n0\n40\n0\n40\n0\n"
                      "10\n0\n20\n0\n10\n1\n20\n2\n10\n3\n20\n2\n10\n4\n20\n0\n");
    QTest::newRow("control points announced but missing")
        << QByteArray("0\nSPLINE\n71\n1\n72\n5\n73\n3\n40\n0\n40\n0\n40\n1\n40\n2\n40\n2\n"
                      "10\n5\n20\n5\n10\n10\n20\n5\n");
    QTest::newRow("decreasing knots") << spline(3, {0, 0, 0, 0, 1, 1, 0.5, 1}, bezierPoints);
    QTest::newRow("knot that is not a number") << spline(3, {0, 0, 0, 0, NAN, 1, 1, 1}, bezierPoints);
    QTest::newRow("infinite control point")
        << spline(3, bezierKnots, QVector<QPointF>{{0, 0}, {1, 2}, {INFINITY, 2}, {4, 0}});
}

void TestDxfReaderCurves::splinesThatDrawNothing()
{
    QFETCH(QByteArray, entity);
    QCOMPARE(pointCount(*read(entity)), 0);
}

void TestDxfReaderCurves::windowedBasisMatchesFullRecursion()
{
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> orderOf(2, 4);
    std::uniform_int_distribution<int> extraPoints(0, 9);
    std::uniform_int_distribution<int> knotStep(0, 3);
    std::uniform_real_distribution<double> coordinate(-50, 50);
    for (int round = 0; round < 300; ++round) {
        const int k = orderOf(random);
        const int m = k + extraPoints(random);
        std::vector<double> knots;
        double knot = round % 3 == 0 ? 0.5 : 0.0;
        for (int i = 0; i < m + k; ++i) {
            knot += knotStep(random) * 0.25; // repeated knots included
            knots.push_back(knot);
        }
        QVector<QPointF> points;
        for (int i = 0; i < m; ++i)
            points.append(QPointF(coordinate(random), coordinate(random)));

        const DxfBSplineBasis basis(knots, m, k);
        QVERIFY(basis.ascending());
        const int samples = 8 * m;
        const double step = knots.back() / (samples - 1);
        double t = 0;
        for (int s = 0; s < samples; ++s, t += step) {
            if (knots.back() - t < 5e-6)
                t = knots.back();
            const DxfBSplineBasis::Weights weights = basis.weightsAt(t);
            double x = 0, y = 0;
            for (int c = 0; c < weights.count; ++c) {
                x = x + weights.values[c] * points[weights.first + c].x();
                y = y + weights.values[c] * points[weights.first + c].y();
            }
            const QPointF expected = fullRecursionAt(knots, points, k, t);
            DXF_COMPARE_EXACTLY(x, expected.x());
            DXF_COMPARE_EXACTLY(y, expected.y());
        }
    }
}

void TestDxfReaderCurves::hostileCounts_data()
{
    QTest::addColumn<QByteArray>("entities");
    QTest::addColumn<QString>("drawn");
    const QByteArray bezier = splineData(3, bezierKnots, bezierPoints);
    QTest::newRow("huge vertex count, two vertices given")
        << QByteArray("0\nLWPOLYLINE\n90\n2147483647\n70\n1\n10\n1\n20\n1\n10\n2\n20\n1\n")
        << QStringLiteral("1,1 2,1");
    QTest::newRow("negative vertex count") << QByteArray("0\nLWPOLYLINE\n90\n-2147483648\n10\n1\n20\n1\n10\n2\n20\n1\n"
                                                         "0\nPOINT\n10\n7\n20\n7\n")
                                           << QStringLiteral("7,7");
    QTest::newRow("huge control-point count")
        << QByteArray("0\nSPLINE\n71\n3\n72\n8\n73\n2147483647\n40\n0\n40\n0\n40\n0\n40\n0\n40\n1\n40\n1\n40\n1\n40\n1\n"
                      "10\n0\n20\n0\n10\n1\n20\n2\n10\n3\n20\n2\n10\n4\n20\n0\n0\nPOINT\n10\n7\n20\n7\n")
        << QStringLiteral("7,7");
    QTest::newRow("huge knot and control-point counts, few given")
        << QByteArray("0\nSPLINE\n71\n1\n72\n2147483647\n73\n2147483646\n40\n0\n40\n0\n40\n0\n10\n1\n20\n1\n"
                      "0\nPOINT\n10\n7\n20\n7\n")
        << QStringLiteral("7,7");
    QTest::newRow("huge knot count, every knot given") << "0\nSPLINE\n" + QByteArray(bezier).replace("72\n8\n", "72\n2147483647\n")
                                                       << QString();
}

void TestDxfReaderCurves::hostileCounts()
{
    QFETCH(QByteArray, entities);
    QFETCH(QString, drawn);
    const Drawing *drawing = read(entities);
    if (drawn.isEmpty())
        QCOMPARE(pointCount(*drawing), 32);
    else
        QCOMPARE(describe(*drawing), drawn);
}

void TestDxfReaderCurves::repeatedGroupsBelongToTheirEntity_data()
{
    QTest::addColumn<QByteArray>("entities");
    QTest::addColumn<int>("points");
    const QByteArray bezier = spline(3, bezierKnots, bezierPoints);
    QTest::newRow("spline without its own groups draws nothing") << bezier + "0\nSPLINE\n71\n3\n" << 32;
    QTest::newRow("helix without its own groups draws nothing") << bezier + "0\nHELIX\n" << 32;
    QTest::newRow("polyline without its own vertices draws nothing")
        << lightweightPolyline(0, {{0, 0, 0}, {2, 0, 0}}) + "0\nLWPOLYLINE\n70\n1\n" << 2;
    QTest::newRow("bare spline names under the largest resolution draw the spline once")
        << "9\n$SPLINESEGS\n70\n32767\n" + bezier + QByteArray("0\nSPLINE\n").repeated(400) << 4 * 32767;
}

void TestDxfReaderCurves::repeatedGroupsBelongToTheirEntity()
{
    QFETCH(QByteArray, entities);
    QFETCH(int, points);
    QCOMPARE(pointCount(*read(entities)), points);
}

QTEST_GUILESS_MAIN(TestDxfReaderCurves)
#include "tst_dxfreader_curves.moc"
