#include "dxftestsupport.h"

#include "drawing/curvesampling.h"

#include "drawing/drawing.h"
#include "formats/dxf/bsplinebasis.h"
#include "formats/dxf/reader.h"
#include "formats/formatoptions.h"

#include <QtTest>

#include <cmath>
#include <functional>

using namespace dxftest;

namespace {


QByteArray withUnit(int insunits, const QByteArray &entities)
{
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n" + QByteArray::number(insunits)
        + "\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

// A drawing whose one entity, INSERT, places block B.
QByteArray withBlock(const QByteArray &block, const QByteArray &insert)
{
    return "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nBLOCKS\n0\nBLOCK\n2\nB\n70\n0\n"
           "10\n0\n20\n0\n30\n0\n"
        + block + "0\nENDBLK\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n" + insert + "0\nENDSEC\n0\nEOF\n";
}

CurvePoint onEllipse(QPointF centre, QPointF axis, double ratio, double from, double to)
{
    const QPointF minor(-axis.y() * ratio, axis.x() * ratio);
    return [=](double t) {
        const double angle = from + (to - from) * t;
        return centre + std::cos(angle) * axis + std::sin(angle) * minor;
    };
}

CurvePoint onSpline(const QVector<double> &knots, const QVector<QPointF> &points, double scale)
{
    const auto basis = std::make_shared<DxfBSplineBasis>(std::vector<double>(knots.begin(), knots.end()),
                                                         points.size(), knots.size() - points.size());
    return [=](double t) {
        const DxfBSplineBasis::Weights weights = basis->weightsAt(t * knots.last());
        QPointF p;
        for (int c = 0; c < weights.count; ++c)
            p += weights.values[c] * points.at(weights.first + c);
        return p * scale;
    };
}

} // namespace

Q_DECLARE_METATYPE(CurvePoint)

class TestDxfReaderTolerance : public QObject
{
    Q_OBJECT

private slots:
    void curvesWithinTheTolerance_data();
    void curvesWithinTheTolerance();

private:
    QTemporaryDir m_dir;
};

void TestDxfReaderTolerance::curvesWithinTheTolerance_data()
{
    QTest::addColumn<double>("tolerance");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<CurvePoint>("curve");
    QTest::addColumn<int>("fewestPoints");
    QTest::addColumn<int>("mostPoints");
    QTest::addColumn<bool>("placeBlocks");

    const double pi = M_PI;
    QTest::newRow("ARC, small") << 0.01
                                << withUnit(4, "0\nARC\n10\n1\n20\n2\n40\n0.8\n50\n30\n51\n300\n")
                                << onEllipse({1, 2}, {0.8, 0}, 1, pi / 6, 5 * pi / 3) << 3 << 40 << false;
    QTest::newRow("ARC, large") << 0.01 << withUnit(4, "0\nARC\n10\n0\n20\n0\n40\n500\n50\n0\n51\n90\n")
                                << onEllipse({0, 0}, {500, 0}, 1, 0, pi / 2) << 100 << 200 << false;
    QTest::newRow("ARC in inches, the tolerance in mm")
        << 0.01 << withUnit(1, "0\nARC\n10\n0\n20\n0\n40\n2\n50\n0\n51\n180\n")
        << onEllipse({0, 0}, {50.8, 0}, 1, 0, pi) << 60 << 120 << false;
    QTest::newRow("CIRCLE, fine") << 0.001 << withUnit(4, "0\nCIRCLE\n10\n5\n20\n5\n40\n10\n")
                                  << onEllipse({5, 5}, {10, 0}, 1, 0, 2 * pi) << 100 << 800 << false;
    QTest::newRow("CIRCLE in metres") << 0.05 << withUnit(6, "0\nCIRCLE\n10\n0\n20\n0\n40\n0.3\n")
                                      << onEllipse({0, 0}, {300, 0}, 1, 0, 2 * pi) << 100 << 400 << false;
    QTest::newRow("ELLIPSE, turned")
        << 0.01 << withUnit(4, "0\nELLIPSE\n10\n3\n20\n4\n11\n30\n21\n40\n40\n0.25\n41\n0\n42\n6.283185307179586\n")
        << onEllipse({3, 4}, {30, 40}, 0.25, 0, 2 * pi) << 50 << 600 << false;
    QTest::newRow("LWPOLYLINE bulge, half circle")
        << 0.01 << withUnit(4, "0\nLWPOLYLINE\n90\n2\n70\n0\n10\n0\n20\n0\n42\n1\n10\n40\n20\n0\n")
        << onEllipse({20, 0}, {-20, 0}, 1, 0, pi) << 40 << 200 << false;

    const QVector<double> bezierKnots{0, 0, 0, 0, 1, 1, 1, 1};
    const QVector<QPointF> bezier{{0, 0}, {10, 20}, {30, 20}, {40, 0}};
    QTest::newRow("SPLINE, one cubic span") << 0.01 << withUnit(4, spline(3, bezierKnots, bezier))
                                            << onSpline(bezierKnots, bezier, 1) << 20 << 200 << false;
    const QVector<double> spans{0, 0, 0, 0, 1, 2, 5, 6, 6, 6, 6};
    const QVector<QPointF> wavy{{0, 0}, {10, 30}, {20, -30}, {30, 30}, {60, -10}, {70, 5}, {80, 0}};
    QTest::newRow("SPLINE, uneven spans, in cm") << 0.005 << withUnit(5, spline(3, spans, wavy))
                                                 << onSpline(spans, wavy, 10) << 100 << 5000 << false;
    const QVector<double> quadraticKnots{0, 0, 0, 1, 2, 2, 2};
    const QVector<QPointF> quadratic{{0, 0}, {5, 10}, {10, 0}, {15, 10}};
    QTest::newRow("SPLINE, degree 2") << 0.01 << withUnit(4, spline(2, quadraticKnots, quadratic))
                                      << onSpline(quadraticKnots, quadratic, 1) << 10 << 300 << false;

    // A block's copy is flattened before it is placed: the tolerance holds
    // at the size the copy is drawn.
    const QByteArray polyline = "0\nPOLYLINE\n66\n1\n70\n0\n0\nVERTEX\n10\n0\n20\n0\n42\n1\n0\nVERTEX\n10\n0.4\n20\n0\n0\nSEQEND\n";
    QTest::newRow("CIRCLE of a block drawn 100 times larger")
        << 0.01 << withBlock("0\nCIRCLE\n10\n0\n20\n0\n40\n1\n", "0\nINSERT\n2\nB\n10\n50\n20\n50\n41\n100\n42\n100\n")
        << onEllipse({50, 50}, {100, 0}, 1, 0, 2 * pi) << 200 << 400 << true;
    QTest::newRow("POLYLINE bulge of a block drawn 100 times larger")
        << 0.01 << withBlock(polyline, "0\nINSERT\n2\nB\n10\n0\n20\n0\n41\n100\n42\n100\n")
        << onEllipse({20, 0}, {-20, 0}, 1, 0, pi) << 40 << 200 << true;
}

void TestDxfReaderTolerance::curvesWithinTheTolerance()
{
    QFETCH(double, tolerance);
    QFETCH(QByteArray, file);
    QFETCH(CurvePoint, curve);
    QFETCH(int, fewestPoints);
    QFETCH(int, mostPoints);
    QFETCH(bool, placeBlocks);

    ConversionOptions options;
    options.dxfPlaceBlocks = placeBlocks;
    options.curvesToTolerance = true;
    options.curveTolerance = tolerance;
    ScopedConversionOptions scoped(options);
    Drawing drawing;
    QVERIFY(readDxf(writeFile(m_dir, file), drawing));
    QCOMPARE(drawing.objects().size(), 1);
    QVector<QPointF> polyline;
    for (const DrawingPoint *point : drawing.objects().first().points)
        polyline.append(QPointF(point->x, point->y));
    QVERIFY2(polyline.size() >= fewestPoints && polyline.size() <= mostPoints, qPrintable(QString::number(polyline.size())));

    const double largest = largestStray(curve, polyline, 5000);
    QVERIFY2(largest <= tolerance, qPrintable(QString::number(largest)));
}

QTEST_GUILESS_MAIN(TestDxfReaderTolerance)
#include "tst_dxfreader_tolerance.moc"
