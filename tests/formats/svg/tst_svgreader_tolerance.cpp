#include "drawing/drawing.h"
#include "formats/formatoptions.h"
#include "formats/svg/reader.h"

#include "testsupport.h"

#include <QtTest>

#include <cmath>

// A circle lands in millimetres only after the shape's transform and the
// viewBox have scaled it; the tolerance holds there.
class TestSvgReaderTolerance : public QObject
{
    Q_OBJECT

private slots:
    void circlesWithinTheToleranceInMillimetres_data();
    void circlesWithinTheToleranceInMillimetres();

private:
    QTemporaryDir m_dir;
};

void TestSvgReaderTolerance::circlesWithinTheToleranceInMillimetres_data()
{
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<double>("radius"); // in mm

    const QByteArray open = "<svg xmlns=\"http://www.w3.org/2000/svg\" ";
    QTest::newRow("millimetres") << open + "width=\"100mm\" height=\"100mm\" viewBox=\"0 0 100 100\">"
                                           "<circle cx=\"50\" cy=\"50\" r=\"20\"/></svg>"
                                 << 20.0;
    QTest::newRow("viewBox scales up five times") << open + "width=\"100mm\" height=\"100mm\" viewBox=\"0 0 20 20\">"
                                                            "<circle cx=\"10\" cy=\"10\" r=\"8\"/></svg>"
                                                  << 40.0;
    QTest::newRow("transform scales up, viewBox down")
        << open + "width=\"10mm\" height=\"10mm\" viewBox=\"0 0 100 100\">"
                  "<g transform=\"scale(30)\"><circle cx=\"1\" cy=\"1\" r=\"1\"/></g></svg>"
        << 3.0;
    // The reader takes a pixel for a ninetieth of an inch.
    QTest::newRow("arc of path data, in pixels") << open + "width=\"400px\" height=\"400px\">"
                                                           "<path d=\"M 100 200 A 100 100 0 1 1 300 200\"/></svg>"
                                                 << 100 * 25.4 / 90;
}

// Every vertex on the circle, and no chord farther from it than the
// tolerance: the sagitta of the longest chord.
void TestSvgReaderTolerance::circlesWithinTheToleranceInMillimetres()
{
    QFETCH(QByteArray, svg);
    QFETCH(double, radius);
    constexpr double tolerance = 0.002;

    ConversionOptions options;
    options.curvesToTolerance = true;
    options.curveTolerance = tolerance;
    ScopedConversionOptions scoped(options);
    Drawing drawing;
    QVERIFY(readSvg(writeTestFile(m_dir.filePath(QStringLiteral("in.svg")), svg), drawing));
    QCOMPARE(drawing.objects().size(), 1);
    QVector<QPointF> points;
    for (const DrawingPoint *point : drawing.objects().first().points)
        points.append(QPointF(point->x, point->y));
    QVERIFY(points.size() > 8);
    // The centre from three vertices far apart.
    const QPointF a = points.first();
    const QPointF b = points.at(points.size() / 3);
    const QPointF c = points.at(2 * points.size() / 3);
    const double d = 2 * (a.x() * (b.y() - c.y()) + b.x() * (c.y() - a.y()) + c.x() * (a.y() - b.y()));
    const double a2 = QPointF::dotProduct(a, a), b2 = QPointF::dotProduct(b, b), c2 = QPointF::dotProduct(c, c);
    const QPointF centre((a2 * (b.y() - c.y()) + b2 * (c.y() - a.y()) + c2 * (a.y() - b.y())) / d,
                         (a2 * (c.x() - b.x()) + b2 * (a.x() - c.x()) + c2 * (b.x() - a.x())) / d);
    double longestChord = 0;
    for (int k = 0; k < points.size(); ++k) {
        QVERIFY(std::fabs(QLineF(centre, points.at(k)).length() - radius) < 1e-6);
        if (k > 0)
            longestChord = std::max(longestChord, QLineF(points.at(k - 1), points.at(k)).length());
    }
    const double sagitta = radius - std::sqrt(radius * radius - longestChord * longestChord / 4);
    QVERIFY2(sagitta <= tolerance, qPrintable(QString::number(sagitta)));
    // Not far finer than needed either.
    QVERIFY2(sagitta >= tolerance / 8, qPrintable(QString::number(sagitta)));
}

QTEST_GUILESS_MAIN(TestSvgReaderTolerance)
#include "tst_svgreader_tolerance.moc"
