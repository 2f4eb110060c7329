#include "drawing/arcfitting.h"

#include "drawing/curvesampling.h"

#include <QtTest>

#include <cmath>

namespace {

constexpr double tolerance = 0.01;

std::vector<QPointF> arcPoints(QPointF centre, double radius, double startDegrees, double sweepDegrees, int segments)
{
    std::vector<QPointF> points;
    for (int k = 0; k <= segments; ++k) {
        const double angle = qDegreesToRadians(startDegrees + sweepDegrees * k / segments);
        points.emplace_back(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle));
    }
    return points;
}

double distance(const QPointF &a, const QPointF &b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

// Every vertex an arc replaces near the arc, and the arc, sampled finely,
// near the segments it replaces.
void verifyArc(const FittedArc &arc, const std::vector<QPointF> &points)
{
    const QPointF &start = points.at(std::size_t(arc.first));
    const double radius = distance(start, arc.centre);
    QVERIFY(std::fabs(distance(points.at(std::size_t(arc.last)), arc.centre) - radius) < 1e-9 * (1 + radius));
    double sweep = 0;
    for (int k = arc.first + 1; k <= arc.last; ++k) {
        const QPointF &a = points.at(std::size_t(k - 1));
        const QPointF &b = points.at(std::size_t(k));
        QVERIFY(std::fabs(distance(b, arc.centre) - radius) <= tolerance);
        const QPointF u = a - arc.centre;
        const QPointF v = b - arc.centre;
        const double step = std::atan2(u.x() * v.y() - u.y() * v.x(), QPointF::dotProduct(u, v));
        QCOMPARE(step < 0, arc.clockwise);
        const double from = std::atan2(u.y(), u.x());
        for (int s = 0; s <= 20; ++s) {
            const double angle = from + step * s / 20;
            const QPointF onArc(arc.centre.x() + radius * std::cos(angle), arc.centre.y() + radius * std::sin(angle));
            QVERIFY2(distanceToSegment(onArc, a, b) <= tolerance * (1 + 1e-9), qPrintable(QString::number(k)));
        }
        sweep += std::fabs(step);
    }
    QVERIFY(sweep <= M_PI * 1.05);
}

} // namespace

class TestArcFitting : public QObject
{
    Q_OBJECT

private slots:
    void runsOnACircle_data();
    void runsOnACircle();
};

void TestArcFitting::runsOnACircle_data()
{
    QTest::addColumn<std::vector<QPointF>>("points");
    QTest::addColumn<int>("arcCount");
    QTest::addColumn<int>("replacedVertices");

    QTest::newRow("quarter, counter-clockwise") << arcPoints({0, 0}, 10, 0, 90, 40) << 1 << 39;
    QTest::newRow("quarter, clockwise") << arcPoints({5, -3}, 10, 90, -90, 40) << 1 << 39;
    QTest::newRow("two segments") << arcPoints({0, 0}, 10, 0, 10, 2) << 1 << 1;
    QTest::newRow("full circle in two") << arcPoints({1, 1}, 20, 30, 360, 600) << 2 << 599;
    QTest::newRow("three quarters in two") << arcPoints({0, 0}, 3, 0, 270, 300) << 2 << 299;
    QTest::newRow("large radius, few segments") << arcPoints({100, 0}, 5000, 0, 5, 40) << 1 << 39;
    QTest::newRow("large radius, chords too far") << arcPoints({100, 0}, 5000, 0, 5, 20) << 0 << 0;
    QTest::newRow("chords too far from the arc") << arcPoints({0, 0}, 10, 0, 360, 6) << 0 << 0;
    QTest::newRow("straight") << std::vector<QPointF>{{0, 0}, {1, 0}, {2, 0}, {3, 0}} << 0 << 0;
    QTest::newRow("zigzag") << std::vector<QPointF>{{0, 0}, {1, 0.1}, {2, 0}, {3, 0.1}, {4, 0}} << 0 << 0;
    QTest::newRow("zigzag within the tolerance, one flat arc")
        << std::vector<QPointF>{{0, 0}, {1, 0.001}, {2, 0}, {3, 0.001}, {4, 0}} << 1 << 2;
    QTest::newRow("ends too close to tell apart") << arcPoints({0, 0}, 0.02, 0, 2, 2) << 0 << 0;
    QTest::newRow("repeated vertex") << std::vector<QPointF>{{0, 0}, {0, 0}, {0, 0}} << 0 << 0;

    std::vector<QPointF> arcThenLine = arcPoints({0, 0}, 10, 0, 90, 40);
    arcThenLine.emplace_back(-10, 20);
    arcThenLine.emplace_back(-20, 20);
    QTest::newRow("arc, then lines") << arcThenLine << 1 << 39;
}

void TestArcFitting::runsOnACircle()
{
    QFETCH(std::vector<QPointF>, points);
    QFETCH(int, arcCount);
    QFETCH(int, replacedVertices);

    const std::vector<FittedArc> arcs = fitArcs(points, tolerance);
    QCOMPARE(int(arcs.size()), arcCount);
    int replaced = 0;
    int previousLast = 0;
    for (const FittedArc &arc : arcs) {
        QVERIFY(arc.first >= previousLast);
        QVERIFY(arc.last - arc.first >= 2);
        previousLast = arc.last;
        replaced += arc.last - arc.first - 1;
        verifyArc(arc, points);
    }
    // Each arc keeps its two end vertices; a circle split in two keeps its middle one too.
    QCOMPARE(replaced + (arcCount == 2 ? 1 : 0), replacedVertices);
}

QTEST_GUILESS_MAIN(TestArcFitting)
#include "tst_arcfitting.moc"
