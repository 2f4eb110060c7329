#include "drawing/checkedpainterpath.h"
#include "drawing/curvetolerance.h"
#include "drawing/drawing.h"
#include "drawing/painterpathflattening.h"

#include "drawing/curvesampling.h"

#include <QtTest>

#include <cmath>
#include <functional>

namespace {

using PathBuilder = std::function<void(CheckedPainterPath &)>;

QVector<QPointF> pointsOf(const Drawing &drawing)
{
    QVector<QPointF> points;
    for (const DrawingObject &object : drawing.objects())
        for (const DrawingPoint *point : object.points)
            points.append(QPointF(point->x, point->y));
    return points;
}

QPointF ellipsePoint(QPointF centre, double rx, double ry, double startDegrees, double sweepDegrees, double t)
{
    // Painter-path angles: counter-clockwise with y pointing down.
    const double angle = qDegreesToRadians(startDegrees + sweepDegrees * t);
    return QPointF(centre.x() + rx * std::cos(angle), centre.y() - ry * std::sin(angle));
}

QPointF cubicPoint(QPointF p0, QPointF c1, QPointF c2, QPointF p3, double t)
{
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * p3;
}

} // namespace

Q_DECLARE_METATYPE(CurvePoint)
Q_DECLARE_METATYPE(PathBuilder)

class TestCurveTolerance : public QObject
{
    Q_OBJECT

private slots:
    void everySampleWithinTheTolerance_data();
    void everySampleWithinTheTolerance();
    void hostileSizesStayBounded();
};

void TestCurveTolerance::everySampleWithinTheTolerance_data()
{
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<PathBuilder>("build");
    QTest::addColumn<CurvePoint>("curve");

    auto arc = [](QPointF c, double rx, double ry, double start, double sweep) {
        return PathBuilder([=](CheckedPainterPath &path) {
            const QRectF rect(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry);
            path.arcMoveTo(rect, start);
            path.arcTo(rect, start, sweep);
        });
    };
    auto onEllipse = [](QPointF c, double rx, double ry, double start, double sweep) {
        return CurvePoint([=](double t) { return ellipsePoint(c, rx, ry, start, sweep, t); });
    };
    QTest::newRow("arc, small") << 0.01 << arc({0, 0}, 0.5, 0.5, 10, 200) << onEllipse({0, 0}, 0.5, 0.5, 10, 200);
    QTest::newRow("arc, large") << 0.01 << arc({3, 4}, 800, 800, -30, 75) << onEllipse({3, 4}, 800, 800, -30, 75);
    QTest::newRow("arc, clockwise, fine") << 0.001 << arc({0, 0}, 20, 20, 90, -270) << onEllipse({0, 0}, 20, 20, 90, -270);
    QTest::newRow("ellipse arc, flat") << 0.01 << arc({0, 0}, 100, 2, 0, 180) << onEllipse({0, 0}, 100, 2, 0, 180);
    QTest::newRow("circle, small")
        << 0.01 << PathBuilder([](CheckedPainterPath &p) { p.addEllipse({1, 2}, 1, 1); })
        << onEllipse({1, 2}, 1, 1, 0, 360);
    QTest::newRow("circle, large")
        << 0.05 << PathBuilder([](CheckedPainterPath &p) { p.addEllipse({0, 0}, 3000, 3000); })
        << onEllipse({0, 0}, 3000, 3000, 0, 360);
    QTest::newRow("ellipse")
        << 0.01 << PathBuilder([](CheckedPainterPath &p) { p.addEllipse({5, 5}, 40, 7); })
        << onEllipse({5, 5}, 40, 7, 0, 360);

    auto cubic = [](QPointF p0, QPointF c1, QPointF c2, QPointF p3) {
        return PathBuilder([=](CheckedPainterPath &path) {
            path.moveTo(p0);
            path.cubicTo(c1, c2, p3);
        });
    };
    auto onCubic = [](QPointF p0, QPointF c1, QPointF c2, QPointF p3) {
        return CurvePoint([=](double t) { return cubicPoint(p0, c1, c2, p3, t); });
    };
    QTest::newRow("cubic, small") << 0.01 << cubic({0, 0}, {0, 1}, {1, 1}, {1, 0}) << onCubic({0, 0}, {0, 1}, {1, 1}, {1, 0});
    QTest::newRow("cubic, looped")
        << 0.01 << cubic({0, 0}, {300, 200}, {-200, 200}, {100, 0}) << onCubic({0, 0}, {300, 200}, {-200, 200}, {100, 0});
    QTest::newRow("cubic, cusp, fine")
        << 0.0005 << cubic({0, 0}, {10, 10}, {0, 10}, {10, 0}) << onCubic({0, 0}, {10, 10}, {0, 10}, {10, 0});
}

void TestCurveTolerance::everySampleWithinTheTolerance()
{
    QFETCH(double, tolerance);
    QFETCH(PathBuilder, build);
    QFETCH(CurvePoint, curve);

    CheckedPainterPath path;
    path.setCurveTolerance(tolerance);
    build(path);
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    const QVector<QPointF> polyline = pointsOf(drawing);
    QVERIFY(polyline.size() >= 3);
    const double largest = largestStray(curve, polyline, 20000);
    QVERIFY2(largest <= tolerance, qPrintable(QString::number(largest)));
}

void TestCurveTolerance::hostileSizesStayBounded()
{
    CheckedPainterPath path;
    path.setCurveTolerance(1e-6);
    path.addEllipse(QPointF(0, 0), 1e9, 1e9);
    path.moveTo(0, 0);
    path.cubicTo(QPointF(1e9, 1e9), QPointF(-1e9, 1e9), QPointF(0, 0));
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    QCOMPARE(drawing.objects().size(), 2);
    for (const DrawingObject &object : drawing.objects())
        QVERIFY(object.points.size() <= maximumCurveSegments + 1);
    QCOMPARE(ellipticArcSegmentCount(std::nan(""), 1, 0.01), maximumCurveSegments);
    QCOMPARE(cubicSegmentCount({0, 0}, {0, 0}, {0, 0}, {0, 0}, 0.01), 1);
}

QTEST_GUILESS_MAIN(TestCurveTolerance)
#include "tst_curvetolerance.moc"
