#include "drawing/drawing.h"
#include "drawing/drawingstorage.h"

#include <QtTest>

#include <cmath>
#include <limits>

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void newDrawingIsEmpty();
    void pointsRecordOwnerAndIndex();
    void objectPointersSurviveGrowth();
    void interleavedObjectsKeepTheirOwnPoints();
    void removeEmptyObjects_data();
    void removeEmptyObjects();
    void objectsAddedAfterRemovalAreListed();
    void mirrorVertical();
    void mirrorVerticalWithUnsetBounds();
    void transformOfEmptyDrawingOverflowsBounds();
    void pointsCoincide_data();
    void pointsCoincide();
    void coordinateRange_data();
    void coordinateRange();
    void transformJudgesWherePointsLieNow();
    void memoryLimitFailsOneDrawing();
    void pointLimitFailsOneDrawing_data();
    void pointLimitFailsOneDrawing();
    void noPointLimitUnlessSet();
};

void TestDrawing::newDrawingIsEmpty()
{
    Drawing drawing;
    QCOMPARE(drawing.bounds(), QRectF(0, 0, 0, 0));
    QVERIFY(drawing.objects().isEmpty());
    QVERIFY(!drawing.parent());
    QCOMPARE(drawing.metaObject()->className(), "Drawing");
}

void TestDrawing::pointsRecordOwnerAndIndex()
{
    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    QCOMPARE(object->color, 0);
    QVERIFY(object->points.isEmpty());
    DrawingPoint *first = object->appendPoint(QPointF(1, 2));
    DrawingPoint *second = object->appendPoint(QPointF(3, 4));
    QCOMPARE(first->index, 0);
    QCOMPARE(second->index, 1);
    QCOMPARE(first->owner, object);
    QCOMPARE(object->lastPoint(), second);
    QCOMPARE(object->points.size(), 2);
    QCOMPARE(object->points.at(0)->x, 1.0);
    QCOMPARE(object->points.at(1)->y, 4.0);
}

void TestDrawing::objectPointersSurviveGrowth()
{
    // Enough objects and points to span several storage blocks.
    Drawing drawing;
    DrawingObject *kept = drawing.addObject();
    kept->appendPoint(QPointF(-1, -1));
    QVector<DrawingObject *> added;
    for (int i = 0; i < 100000; ++i) {
        DrawingObject *object = drawing.addObject();
        object->appendPoint(QPointF(i, 0));
        object->appendPoint(QPointF(i, 1));
        added.append(object);
    }
    QCOMPARE(drawing.objects().size(), 100001);
    QCOMPARE(&drawing.objects().first(), kept);
    QCOMPARE(kept->points.first()->x, -1.0);
    int i = 0;
    for (const DrawingObject &object : drawing.objects()) {
        if (&object == kept)
            continue;
        QCOMPARE(&object, added.at(i));
        QCOMPARE(object.points.size(), 2);
        QCOMPARE(object.points.first()->x, double(i));
        QCOMPARE(object.points.last()->y, 1.0);
        QCOMPARE(object.points.last()->owner, added.at(i));
        ++i;
    }
    QCOMPARE(&drawing.objects()[77777], added.at(77776));
}

void TestDrawing::interleavedObjectsKeepTheirOwnPoints()
{
    // A reader may go back to an earlier object after starting others, and a
    // long polyline crosses storage blocks: the points must still come back in
    // order, each with its owner and index.
    Drawing drawing;
    DrawingObject *a = drawing.addObject();
    DrawingObject *b = drawing.addObject();
    const int count = 150000;
    for (int i = 0; i < count; ++i) {
        a->appendPoint(QPointF(i, 0));
        if (i % 3 == 0)
            b->appendPoint(QPointF(i, 1));
        if (i % 7 == 0)
            a->appendPoint(QPointF(-i, 0));
    }
    for (int i = 0; i < 200000; ++i)
        a->appendPoint(QPointF(count + i, 0));

    int index = 0;
    for (DrawingPoint *point : a->points) {
        QCOMPARE(point->owner, a);
        QCOMPARE(point->index, index);
        QCOMPARE(a->points.at(index), point);
        ++index;
    }
    QCOMPARE(index, a->points.size());
    QCOMPARE(a->lastPoint()->x, double(count + 199999));
    QCOMPARE(a->points.at(1)->x, 0.0); // the -0 of i == 0
    QCOMPARE(a->points.at(2)->x, 1.0);
    index = 0;
    for (DrawingPoint *point : b->points) {
        QCOMPARE(point->x, double(index * 3));
        QCOMPARE(point->owner, b);
        ++index;
    }
    QCOMPARE(b->points.toVector().size(), b->points.size());
}

void TestDrawing::removeEmptyObjects_data()
{
    QTest::addColumn<QString>("layout"); // '.' an empty object, a letter an object with one point
    QTest::addColumn<QString>("expected");
    QTest::newRow("empties around and between") << ".A..B" << "AB";
    QTest::newRow("only empties") << "..." << "";
    QTest::newRow("none empty") << "ABC" << "ABC";
    QTest::newRow("trailing empty") << "AB." << "AB";
    QTest::newRow("nothing at all") << "" << "";
}

void TestDrawing::removeEmptyObjects()
{
    QFETCH(QString, layout);
    QFETCH(QString, expected);
    Drawing drawing;
    for (const QChar c : layout) {
        DrawingObject *object = drawing.addObject();
        if (c != QLatin1Char('.'))
            object->appendPoint(QPointF(c.unicode(), 0));
    }
    drawing.removeEmptyObjects();
    QString remaining;
    for (const DrawingObject &object : drawing.objects())
        remaining += QChar(int(object.points.first()->x));
    QCOMPARE(remaining, expected);
    QCOMPARE(drawing.objects().size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(drawing.objects().at(i).points.first()->x, double(expected.at(i).unicode()));
}

void TestDrawing::objectsAddedAfterRemovalAreListed()
{
    Drawing drawing;
    drawing.addObject();
    DrawingObject *a = drawing.addObject();
    a->appendPoint(QPointF(1, 1));
    drawing.removeEmptyObjects();
    QCOMPARE(&drawing.objects()[0], a);
    DrawingObject *b = drawing.addObject();
    QCOMPARE(drawing.objects().size(), 2);
    QCOMPARE(&drawing.objects()[1], b);
    QCOMPARE(&drawing.objects().last(), b);
}

void TestDrawing::mirrorVertical()
{
    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    object->appendPoint(QPointF(0, 10));
    object->appendPoint(QPointF(100, 60));
    object->appendPoint(QPointF(50, 30));
    drawing.setBounds(QRectF(0, 10, 100, 50));
    drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    QCOMPARE(object->points.at(0)->y, 60.0);
    QCOMPARE(object->points.at(1)->y, 10.0);
    QCOMPARE(object->points.at(2)->y, 40.0);
    QCOMPARE(object->points.at(1)->x, 100.0);
    QCOMPARE(drawing.bounds(), QRectF(0, 10, 100, 50));
}

void TestDrawing::mirrorVerticalWithUnsetBounds()
{
    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    object->appendPoint(QPointF(1, 5));
    object->appendPoint(QPointF(2, -3));
    object->appendPoint(QPointF(3, std::numeric_limits<double>::quiet_NaN()));
    drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    QCOMPARE(object->points.at(0)->y, -5.0);
    QCOMPARE(object->points.at(1)->y, 3.0);
    QVERIFY(qIsNaN(object->points.at(2)->y));
    // The NaN never becomes an extreme.
    QCOMPARE(drawing.bounds(), QRectF(1, -5, 2, 8));
}

void TestDrawing::transformOfEmptyDrawingOverflowsBounds()
{
    Drawing drawing;
    drawing.addObject();
    drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    const double largest = std::numeric_limits<double>::max();
    QCOMPARE(drawing.bounds().x(), largest);
    QCOMPARE(drawing.bounds().y(), largest);
    QCOMPARE(drawing.bounds().width(), -std::numeric_limits<double>::infinity());
    QCOMPARE(drawing.bounds().height(), -std::numeric_limits<double>::infinity());
}

void TestDrawing::pointsCoincide_data()
{
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<bool>("coincide");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("within 1e-12") << QPointF(0, 0) << QPointF(1e-12, -1e-12) << true;
    QTest::newRow("2e-12 on x") << QPointF(0, 0) << QPointF(2e-12, 0) << false;
    QTest::newRow("2e-12 on y") << QPointF(0, 0) << QPointF(0, -2e-12) << false;
    QTest::newRow("equal") << QPointF(5, 7) << QPointF(5, 7) << true;
    QTest::newRow("NaN") << QPointF(nan, 0) << QPointF(nan, 0) << false;
}

void TestDrawing::pointsCoincide()
{
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(bool, coincide);
    QCOMPARE(::pointsCoincide(a, b), coincide);
}

void TestDrawing::coordinateRange_data()
{
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("inRange");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const double pastLimit = std::nextafter(1e9, infinity);
    QTest::newRow("origin") << QPointF(0, 0) << true;
    QTest::newRow("exactly the limit on x") << QPointF(1e9, 5) << true;
    QTest::newRow("exactly the limit below on y") << QPointF(5, -1e9) << true;
    QTest::newRow("the next double past the limit on x") << QPointF(pastLimit, 0) << false;
    QTest::newRow("the next double past the limit below on y") << QPointF(0, -pastLimit) << false;
    QTest::newRow("1e308") << QPointF(1e308, 1e308) << false;
    QTest::newRow("NaN x") << QPointF(nan, 0) << false;
    QTest::newRow("NaN y") << QPointF(0, nan) << false;
    QTest::newRow("infinity") << QPointF(infinity, 0) << false;
    QTest::newRow("minus infinity") << QPointF(0, -infinity) << false;
}

void TestDrawing::coordinateRange()
{
    QFETCH(QPointF, point);
    QFETCH(bool, inRange);
    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    object->appendPoint(QPointF(1, 2));
    QVERIFY(drawing.coordinatesInRange());
    object->appendPoint(point);
    object->appendPoint(QPointF(3, 4));
    QCOMPARE(drawing.coordinatesInRange(), inRange);
    // A mirror keeps the distances from the middle, so the verdict holds.
    drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    QCOMPARE(drawing.coordinatesInRange(), inRange);
}

void TestDrawing::transformJudgesWherePointsLieNow()
{
    Drawing drawing;
    DrawingObject *object = drawing.addObject();
    DrawingPoint *far = object->appendPoint(QPointF(4e9, 0));
    QVERIFY(!drawing.coordinatesInRange());
    // As a reader that maps its own units into millimetres moves it.
    far->x = 400;
    drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    QVERIFY(drawing.coordinatesInRange());
    far->y = std::numeric_limits<double>::quiet_NaN();
    drawing.transform(MirrorVertical, QVariant(), QVariant(), QVariant());
    QVERIFY(!drawing.coordinatesInRange());
}

void TestDrawing::memoryLimitFailsOneDrawing()
{
    const std::size_t limit = std::size_t(16) << 20;
    const std::size_t previous = DrawingStorage::setMemoryLimit(limit);
    qint64 points = 0;
    bool outOfMemory = false;
    {
        Drawing drawing;
        DrawingObject *object = drawing.addObject();
        try {
            for (; points < 10000000; ++points)
                object->appendPoint(QPointF(points, 1));
        } catch (const std::bad_alloc &) {
            outOfMemory = true;
        }
        QCOMPARE(object->points.size(), int(points));
        QCOMPARE(object->lastPoint()->x, double(points - 1));
    }
    // The limit holds for each drawing on its own.
    Drawing next;
    next.addObject()->appendPoint(QPointF(1, 2));
    DrawingStorage::setMemoryLimit(previous);

    QVERIFY(outOfMemory);
    // All but the block of objects and one block of points kept in reserve.
    const qint64 pointsPerBlock = DrawingStorage::pointsPerBlock;
    QVERIFY(points >= qint64(limit / DrawingStorage::blockBytes - 2) * pointsPerBlock);
    QVERIFY(points <= qint64(limit / DrawingStorage::blockBytes) * pointsPerBlock);
}

void TestDrawing::pointLimitFailsOneDrawing_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("within the first block") << 4096;
    QTest::newRow("one point") << 1;
    QTest::newRow("a whole block") << DrawingStorage::pointsPerBlock;
    QTest::newRow("into the second block") << DrawingStorage::pointsPerBlock + 3;
}

void TestDrawing::pointLimitFailsOneDrawing()
{
    QFETCH(int, limit);
    const std::size_t previous = DrawingStorage::setPointLimit(std::size_t(limit));
    int points = 0;
    bool outOfMemory = false;
    {
        Drawing drawing;
        DrawingObject *first = drawing.addObject();
        DrawingObject *second = drawing.addObject();
        try {
            // Two objects, so that the points of both count.
            for (; points < 2 * DrawingStorage::pointsPerBlock + 10; ++points)
                (points % 2 ? second : first)->appendPoint(QPointF(points, 1));
        } catch (const std::bad_alloc &) {
            outOfMemory = true;
        }
        QCOMPARE(first->points.size() + second->points.size(), points);
    }
    // The limit holds for each drawing on its own.
    Drawing next;
    next.addObject()->appendPoint(QPointF(1, 2));
    DrawingStorage::setPointLimit(previous);

    QVERIFY(outOfMemory);
    QCOMPARE(points, limit);
}

void TestDrawing::noPointLimitUnlessSet()
{
    QCOMPARE(DrawingStorage::pointLimit(), std::numeric_limits<std::size_t>::max());
}

QTEST_APPLESS_MAIN(TestDrawing)
#include "tst_drawing.moc"
