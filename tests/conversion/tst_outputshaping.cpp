#include "conversion/outputshaping.h"
#include "drawing/drawing.h"
#include "drawing/drawingfigures.h"
#include "drawing/travelorder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace {

// "x,y x,y; x,y" : objects separated by semicolons.
std::unique_ptr<Drawing> drawingOf(const QString &text)
{
    auto drawing = std::make_unique<Drawing>();
    for (const QString &object : text.split(QLatin1Char(';'))) {
        DrawingObject *o = drawing->addObject();
        for (const QString &point : object.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList xy = point.split(QLatin1Char(','));
            o->appendPoint(QPointF(xy.at(0).toDouble(), xy.at(1).toDouble()));
        }
    }
    return drawing;
}

QString textOf(const Drawing &drawing)
{
    QStringList objects;
    for (const DrawingObject &object : drawing.objects()) {
        QStringList points;
        for (const DrawingPoint *p : object.points)
            points << QStringLiteral("%1,%2").arg(p->x).arg(p->y);
        objects << points.join(QLatin1Char(' '));
    }
    return objects.join(QStringLiteral("; "));
}

using Segment = std::tuple<double, double, double, double>;

// Every cut segment, either way round, and every lone point (a segment from
// it to itself); a lone point joined to a stroke through it leaves its mark
// as a vertex of that stroke instead.
std::vector<Segment> segmentsOf(const Drawing &drawing, bool lonePoints = true)
{
    std::vector<Segment> segments;
    for (const DrawingObject &object : drawing.objects()) {
        if (object.points.size() == 1 && lonePoints)
            segments.emplace_back(object.points.first()->x, object.points.first()->y, object.points.first()->x,
                                  object.points.first()->y);
        for (int i = 1; i < object.points.size(); ++i) {
            const DrawingPoint *a = object.points.at(i - 1);
            const DrawingPoint *b = object.points.at(i);
            segments.push_back(std::min(Segment(a->x, a->y, b->x, b->y), Segment(b->x, b->y, a->x, a->y)));
        }
    }
    std::sort(segments.begin(), segments.end());
    return segments;
}

// Scattered open strokes, closed squares, strokes that continue one
// another and lone points, on a grid coarse enough for exact touches.
std::unique_ptr<Drawing> generatedDrawing(quint32 seed, int objects)
{
    QRandomGenerator random(seed);
    auto drawing = std::make_unique<Drawing>();
    QPointF last(0, 0);
    for (int i = 0; i < objects; ++i) {
        DrawingObject *o = drawing->addObject();
        const QPointF at(random.bounded(200), random.bounded(200));
        switch (random.bounded(4)) {
        case 0:
            for (int k = random.bounded(1, 5); k >= 0; --k)
                o->appendPoint(at + QPointF(random.bounded(10), random.bounded(10)));
            break;
        case 1:
            for (const QPointF corner : {QPointF(0, 0), QPointF(5, 0), QPointF(5, 5), QPointF(0, 5), QPointF(0, 0)})
                o->appendPoint(at + corner);
            break;
        case 2:
            o->appendPoint(last);
            o->appendPoint(at);
            break;
        default:
            o->appendPoint(at);
        }
        last = QPointF(o->lastPoint()->x, o->lastPoint()->y);
    }
    drawing->addObject(); // no points
    return drawing;
}

ConversionOptions shaping(bool order, bool join, double budget = 1.0)
{
    ConversionOptions options;
    options.orderObjects = order;
    options.joinTouching = join;
    options.orderBudgetSeconds = budget;
    return options;
}

} // namespace

class TestOutputShaping : public QObject
{
    Q_OBJECT

private slots:
    void shapesSmallDrawings_data();
    void shapesSmallDrawings();
    void keepsEverySegment_data();
    void keepsEverySegment();
};

void TestOutputShaping::shapesSmallDrawings_data()
{
    QTest::addColumn<QString>("drawing");
    QTest::addColumn<bool>("order");
    QTest::addColumn<bool>("join");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<double>("travel");

    QTest::newRow("nearer end first") << "10,0 11,0; 3,0 2,0" << true << false << "2,0 3,0; 10,0 11,0" << 9.0;
    QTest::newRow("closed from nearest vertex") << "6,6 5,6 5,5 6,5 6,6" << true << false << "5,5 6,5 6,6 5,6 5,5"
                                                << std::hypot(5.0, 5.0);
    QTest::newRow("nearest neighbour turns strokes round")
        << "0,1 0,2; 10,1 10,2; 0,3 0,4; 10,3 10,4" << true << false << "0,1 0,2; 0,3 0,4; 10,4 10,3; 10,2 10,1"
        << 1.0 + 1.0 + 10.0 + 1.0;
    QTest::newRow("a far detour undone") << "1,0; -1.5,0; 3,0" << true << false << "-1.5,0; 1,0; 3,0" << 6.0;
    QTest::newRow("joined in file order") << "0,0 1,0; 1,0 1,1; 5,5 6,6" << false << true << "0,0 1,0 1,1; 5,5 6,6"
                                          << 0.0 + std::hypot(4.0, 4.0);
    QTest::newRow("joined once ordered") << "1,1 1,0; 0,0 1,0" << true << true << "0,0 1,0 1,1" << 0.0;
    QTest::newRow("near touch keeps both vertices")
        << "0,0 1,0; 1.0005,0 2,0" << false << true << "0,0 1,0 1.0005,0 2,0" << 0.0;
    QTest::newRow("a gap is not a touch") << "0,0 1,0; 1.01,0 2,0" << false << true << "0,0 1,0; 1.01,0 2,0" << 0.01;
}

void TestOutputShaping::shapesSmallDrawings()
{
    QFETCH(QString, drawing);
    QFETCH(bool, order);
    QFETCH(bool, join);
    QFETCH(QString, expected);
    QFETCH(double, travel);
    const std::unique_ptr<Drawing> shaped = shapedForOutput(*drawingOf(drawing), shaping(order, join));
    QVERIFY(shaped);
    QCOMPARE(textOf(*shaped), expected);
    QVERIFY(qAbs(figuresOf(*shaped).travelLength - travel) < 1e-9);
}

void TestOutputShaping::keepsEverySegment_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("objects");
    QTest::addColumn<bool>("order");
    QTest::addColumn<bool>("join");
    QTest::addColumn<double>("budget");

    for (const quint32 seed : {1u, 2u, 3u}) {
        const int objects = 40 * int(seed * seed * seed);
        const QByteArray name = "seed " + QByteArray::number(seed);
        // Whatever is left after the first improvements goes on shaking the
        // tour up, so a drawing with hundreds of objects uses all of its budget.
        const double budget = seed == 1 ? 1.0 : 0.1;
        QTest::newRow(name + ", ordered") << seed << objects << true << false << budget;
        QTest::newRow(name + ", ordered, no budget") << seed << objects << true << false << 0.0;
        QTest::newRow(name + ", ordered, budget ends early") << seed << objects << true << false << 2e-5;
        if (seed < 3) // the largest takes seconds
            QTest::newRow(name + ", ordered, budget beyond counting") << seed << objects << true << false << 1e300;
        QTest::newRow(name + ", joined") << seed << objects << false << true << 1.0;
        QTest::newRow(name + ", ordered and joined") << seed << objects << true << true << budget;
    }
}

void TestOutputShaping::keepsEverySegment()
{
    QFETCH(quint32, seed);
    QFETCH(int, objects);
    QFETCH(bool, order);
    QFETCH(bool, join);
    QFETCH(double, budget);
    const std::unique_ptr<Drawing> drawing = generatedDrawing(seed, objects);
    const ConversionOptions options = shaping(order, join, budget);
    const std::unique_ptr<Drawing> shaped = shapedForOutput(*drawing, options);
    QVERIFY(shaped);
    QVERIFY(segmentsOf(*shaped, !join) == segmentsOf(*drawing, !join));
    if (join) {
        std::vector<QPointF> written;
        for (const DrawingObject &object : shaped->objects()) {
            for (const DrawingPoint *p : object.points)
                written.emplace_back(p->x, p->y);
        }
        for (const DrawingObject &object : drawing->objects()) {
            if (object.points.size() == 1) {
                const QPointF lone(object.points.first()->x, object.points.first()->y);
                QVERIFY(std::find(written.begin(), written.end(), lone) != written.end());
            }
        }
    }
    QCOMPARE(textOf(*shapedForOutput(*drawing, options)), textOf(*shaped));

    const double greedy = travelLength(*drawing, nearestNeighbourTour(*drawing));
    const double fileOrder = figuresOf(*drawing).travelLength;
    const double travel = figuresOf(*shaped).travelLength;
    QVERIFY(travel <= (order ? greedy : fileOrder) + 1e-9);
    if (join)
        QVERIFY(shaped->objects().size() < drawing->objects().size() - 1);
}

QTEST_GUILESS_MAIN(TestOutputShaping)
#include "tst_outputshaping.moc"
