#include "drawing/drawing.h"
#include "drawing/painterpathflattening.h"

#include <QtTest>

#include <cmath>

namespace {

QVector<QPointF> pointsOf(const DrawingObject &object)
{
    QVector<QPointF> result;
    for (const DrawingPoint *point : object.points)
        result.append(QPointF(point->x, point->y));
    return result;
}

QPointF cubicAt(const QPointF &p0, const QPointF &c1, const QPointF &c2, const QPointF &p3, double t)
{
    const double u = 1 - t;
    auto lerp = [&](const QPointF &a, const QPointF &b) { return QPointF(a.x() * u + b.x() * t, a.y() * u + b.y() * t); };
    const QPointF a = lerp(p0, c1), b = lerp(c1, c2), c = lerp(c2, p3);
    const QPointF d = lerp(a, b), e = lerp(b, c);
    return lerp(d, e);
}

} // namespace

class TestPainterPathFlattening : public QObject
{
    Q_OBJECT

private slots:
    void emptyPathsAddNothing();
    void subpathsBecomeObjects();
    void firstSubpathContinuesTheTarget();
    void straightCubics_data();
    void straightCubics();
    void pointCount_data();
    void pointCount();
    void curvePointsByDeCasteljau();
    void quarterCircleFromArcTo();
};

void TestPainterPathFlattening::emptyPathsAddNothing()
{
    Drawing drawing;
    appendPainterPath(QPainterPath(), drawing, nullptr);
    QPainterPath onlyMove;
    onlyMove.moveTo(5, 5);
    appendPainterPath(onlyMove, drawing, nullptr);
    QVERIFY(drawing.objects().isEmpty());
}

void TestPainterPathFlattening::subpathsBecomeObjects()
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(10, 0);
    path.moveTo(0, 5);
    path.lineTo(10, 5);
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    QCOMPARE(drawing.objects().size(), 2);
    QCOMPARE(pointsOf(drawing.objects().at(0)), (QVector<QPointF>{{0, 0}, {10, 0}}));
    QCOMPARE(pointsOf(drawing.objects().at(1)), (QVector<QPointF>{{0, 5}, {10, 5}}));
}

void TestPainterPathFlattening::firstSubpathContinuesTheTarget()
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(10, 0);
    path.moveTo(0, 5);
    path.lineTo(10, 5);
    Drawing drawing;
    DrawingObject *target = drawing.addObject();
    target->appendPoint(QPointF(-1, -1));
    appendPainterPath(path, drawing, target);
    QCOMPARE(drawing.objects().size(), 2);
    QCOMPARE(pointsOf(*target), (QVector<QPointF>{{-1, -1}, {0, 0}, {10, 0}}));
    QCOMPARE(pointsOf(drawing.objects().at(1)), (QVector<QPointF>{{0, 5}, {10, 5}}));
}

void TestPainterPathFlattening::straightCubics_data()
{
    QTest::addColumn<QPointF>("p0");
    QTest::addColumn<QPointF>("c1");
    QTest::addColumn<QPointF>("c2");
    QTest::addColumn<QPointF>("p3");
    QTest::addColumn<bool>("straight");
    QTest::newRow("controls on the ends") << QPointF(0, 0) << QPointF(0, 0) << QPointF(10, 0) << QPointF(10, 0) << true;
    QTest::newRow("all four equal") << QPointF(3, 3) << QPointF(3, 3) << QPointF(3, 3) << QPointF(3, 3) << true;
    QTest::newRow("closed loop, one control on the ends")
        << QPointF(0, 0) << QPointF(0, 0) << QPointF(5, 5) << QPointF(0, 0) << true;
    QTest::newRow("closed loop, controls elsewhere")
        << QPointF(0, 0) << QPointF(5, 0) << QPointF(5, 5) << QPointF(0, 0) << false;
    QTest::newRow("only the controls coincide") << QPointF(0, 0) << QPointF(4, 4) << QPointF(4, 4) << QPointF(9, 0) << false;
    QTest::newRow("a real curve") << QPointF(0, 0) << QPointF(0, 5) << QPointF(5, 5) << QPointF(5, 0) << false;
    QTest::newRow("within tolerance") << QPointF(0, 0) << QPointF(1e-12, 0) << QPointF(7, 1e-12) << QPointF(7, 0) << true;
}

void TestPainterPathFlattening::straightCubics()
{
    QFETCH(QPointF, p0);
    QFETCH(QPointF, c1);
    QFETCH(QPointF, c2);
    QFETCH(QPointF, p3);
    QFETCH(bool, straight);
    QCOMPARE(isStraightCubic(p0, c1, c2, p3), straight);

    QPainterPath path(p0);
    path.cubicTo(c1, c2, p3);
    if (path.elementCount() == 1)
        return; // QPainterPath drops a cubic that is a single point
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    // The start point, then either the end alone or the n - 1 points of the curve.
    const int expected = straight ? 2 : cubicPointCount(p0, c1, c2, p3);
    QCOMPARE(drawing.objects().at(0).points.size(), expected);
    QCOMPARE(drawing.objects().at(0).lastPoint()->x, p3.x());
}

void TestPainterPathFlattening::pointCount_data()
{
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("count");
    QTest::newRow("1 x 1: the minimum") << 1.0 << 10;
    QTest::newRow("20 wide") << 20.0 << 20;
    QTest::newRow("30 wide") << 30.0 << 31;
    QTest::newRow("100 wide: the maximum") << 100.0 << 86;
    QTest::newRow("NaN") << std::nan("") << 10;
    QTest::newRow("infinite") << HUGE_VAL << 86;
}

void TestPainterPathFlattening::pointCount()
{
    QFETCH(double, size);
    QFETCH(int, count);
    const QPointF p0(0, 0), c1(0, size / 2), c2(size, size / 2), p3(size, 0);
    QCOMPARE(cubicPointCount(p0, c1, c2, p3), count);
}

void TestPainterPathFlattening::curvePointsByDeCasteljau()
{
    const QPointF p0(0, 0), c1(0, 1), c2(1, 1), p3(1, 0);
    QPainterPath path(p0);
    path.cubicTo(c1, c2, p3);
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    const QVector<QPointF> points = pointsOf(drawing.objects().at(0));
    // The start, eight inner points at t = 1/9 ... 8/9, the end.
    QCOMPARE(points.size(), 10);
    QCOMPARE(points.first(), p0);
    for (int k = 1; k <= 8; ++k) {
        const QPointF expected = cubicAt(p0, c1, c2, p3, double(k) / 9);
        QCOMPARE(points.at(k).x(), expected.x());
        QCOMPARE(points.at(k).y(), expected.y());
    }
    QCOMPARE(points.last(), p3);
}

void TestPainterPathFlattening::quarterCircleFromArcTo()
{
    QPainterPath path;
    path.arcMoveTo(QRectF(-30, -30, 60, 60), 0);
    path.arcTo(QRectF(-30, -30, 60, 60), 0, 90);
    Drawing drawing;
    appendPainterPath(path, drawing, nullptr);
    const DrawingObject &arc = drawing.objects().at(0);
    // The start point, then 31 points of the one cubic piece, less its start.
    QCOMPARE(arc.points.size(), 31);
    QCOMPARE(arc.points.first()->x, 30.0);
    for (const DrawingPoint *point : arc.points)
        QVERIFY(std::fabs(std::hypot(point->x, point->y) - 30) < 0.01);
    QVERIFY(std::fabs(arc.lastPoint()->x) < 1e-9);
    QCOMPARE(arc.lastPoint()->y, -30.0);
}

QTEST_APPLESS_MAIN(TestPainterPathFlattening)
#include "tst_painterpathflattening.moc"
