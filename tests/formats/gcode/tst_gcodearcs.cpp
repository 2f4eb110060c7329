#include "drawing/drawing.h"
#include "formats/common/coordinatetext.h"
#include "formats/formatoptions.h"
#include "formats/gcode/writer.h"

#include "testsupport.h"

#include <QtTest>

#include <cmath>

namespace {

constexpr double tolerance = 0.01;

QVector<QPointF> arcPoints(QPointF centre, double radius, double startDegrees, double sweepDegrees, int segments)
{
    QVector<QPointF> points;
    for (int k = 0; k <= segments; ++k) {
        const double angle = qDegreesToRadians(startDegrees + sweepDegrees * k / segments);
        points.append(QPointF(centre.x() + radius * std::cos(angle), centre.y() + radius * std::sin(angle)));
    }
    return points;
}

double word(const QByteArray &line, char letter)
{
    const int at = line.indexOf(' ' + QByteArray(1, letter));
    return at < 0 ? qQNaN() : line.mid(at + 2).split(' ').first().toDouble();
}

QByteArray vertexText(const QPointF &p)
{
    return 'X' + formatCoordinate(p.x()) + " Y" + formatCoordinate(p.y());
}

} // namespace

class TestGCodeArcs : public QObject
{
    Q_OBJECT

private slots:
    void arcsStandForTheVerticesTheyReplace_data();
    void arcsStandForTheVerticesTheyReplace();
    void exactOutputOfAHalfCircle();

private:
    QTemporaryDir m_dir;
};

void TestGCodeArcs::arcsStandForTheVerticesTheyReplace_data()
{
    QTest::addColumn<QVector<QPointF>>("points");
    QTest::addColumn<int>("arcLines");

    QTest::newRow("full circle") << arcPoints({10, 10}, 5, 0, 360, 200) << 2;
    QTest::newRow("clockwise quarter, then a line")
        << (arcPoints({0, 0}, 30, 90, -90, 100) << QPointF(30, -20) << QPointF(0, -20)) << 1;
    QTest::newRow("line, arc, line, arc")
        << (QVector<QPointF>{{-5, 0}} + arcPoints({0, 10}, 10, -90, 90, 50) + arcPoints({20, 30}, 10, 180, -120, 50))
        << 2;
    QTest::newRow("hexagon keeps its lines") << arcPoints({0, 0}, 10, 0, 360, 6) << 0;
}

// Follows the written program: after each arc, its end is the vertex it
// stands for, its radius to the end that to the start, every vertex it
// replaces within the tolerance of it, and the move after it says G1.
void TestGCodeArcs::arcsStandForTheVerticesTheyReplace()
{
    QFETCH(QVector<QPointF>, points);
    QFETCH(int, arcLines);

    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    for (const QPointF &p : points)
        object->appendPoint(p);
    ConversionOptions options;
    options.arcsAsG2G3 = true;
    const QString path = m_dir.filePath(QStringLiteral("arcs.tap"));
    {
        ScopedConversionOptions scoped(options);
        QVERIFY(writeGCode(path, drawing));
    }
    QList<QByteArray> lines = fileContents(path).split('\n');
    // The start template, the first vertex again, then the moves.
    QCOMPARE(lines.at(0), QByteArray("G1 F1000"));
    QCOMPARE(lines.at(2), vertexText(points.first()));
    QCOMPARE(lines.at(4), vertexText(points.first()));
    int vertex = 0;
    int arcs = 0;
    bool afterArc = false;
    for (int i = 5; i < lines.size() && lines.at(i) != "X0 Y0"; ++i) {
        const QByteArray &line = lines.at(i);
        const QPointF start = points.at(vertex);
        if (line.startsWith("G2 ") || line.startsWith("G3 ")) {
            ++arcs;
            const QPointF end(word(line, 'X'), word(line, 'Y'));
            const QPointF centre = start + QPointF(word(line, 'I'), word(line, 'J'));
            const double radius = QLineF(centre, start).length();
            QVERIFY(std::fabs(QLineF(centre, end).length() - radius) <= 1e-5);
            int k = vertex + 1;
            for (; QLineF(points.at(k), end).length() > 1e-6; ++k)
                QVERIFY(std::fabs(QLineF(centre, points.at(k)).length() - radius) <= tolerance);
            vertex = k;
            afterArc = true;
            continue;
        }
        if (line == "G1") {
            QVERIFY(afterArc);
            afterArc = false;
            continue;
        }
        QCOMPARE(line.startsWith("G1 "), afterArc);
        afterArc = false;
        ++vertex;
        QCOMPARE(line.mid(line.indexOf('X')), vertexText(points.at(vertex)));
    }
    QCOMPARE(vertex, points.size() - 1);
    QCOMPARE(arcs, arcLines);
    QCOMPARE(afterArc, false);
}

void TestGCodeArcs::exactOutputOfAHalfCircle()
{
    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    for (const QPointF &p : arcPoints({0, 0}, 1, 0, 180, 20))
        object->appendPoint(p);
    object = drawing.addObject();
    object->appendPoint(QPointF(5, 5));
    object->appendPoint(QPointF(6, 5));
    ConversionOptions options;
    options.arcsAsG2G3 = true;
    const QString path = m_dir.filePath(QStringLiteral("half.tap"));
    ScopedConversionOptions scoped(options);
    QVERIFY(writeGCode(path, drawing));
    QCOMPARE(fileContents(path), QByteArray("G1 F1000\nZ10\nX1.000000 Y0.000000\nZ0\n"
                                            "X1.000000 Y0.000000\n"
                                            "G3 X-1.000000 Y0.000000 I-1.000000 J0.000000\n"
                                            "G1\n"
                                            "Z10\nX5.000000 Y5.000000\nZ0\n"
                                            "X5.000000 Y5.000000\nX6.000000 Y5.000000\n"
                                            "X0 Y0\n"));
}

QTEST_GUILESS_MAIN(TestGCodeArcs)
#include "tst_gcodearcs.moc"
