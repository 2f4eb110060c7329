#include "preview/thinlinerasteriser.h"

#include <QPainter>
#include <QtTest>

#include <cmath>

namespace {

constexpr QRgb ink = 0xff000000;

// The pixels set, row by row, as "x,y" separated by spaces.
QString inkedPixels(const QImage &image)
{
    QStringList pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == ink)
                pixels << QStringLiteral("%1,%2").arg(x).arg(y);
        }
    }
    return pixels.join(QLatin1Char(' '));
}

QImage blank()
{
    QImage image(24, 8, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

} // namespace

class TestThinLineRasteriser : public QObject
{
    Q_OBJECT

private slots:
    void setsThePixelsOnTheLine_data();
    void setsThePixelsOnTheLine();
    void drawsWhatThePainterDraws_data();
    void drawsWhatThePainterDraws();
    void drawsAPolylineAsItsPieces();
};

void TestThinLineRasteriser::setsThePixelsOnTheLine_data()
{
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<int>("dash");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QRect>("clip");
    QTest::addColumn<QString>("pixels");
    const QRect all(0, 0, 24, 8);
    QTest::newRow("along x") << QPointF(2.5, 3.5) << QPointF(6.9, 3.2) << 1 << 0 << all << "2,3 3,3 4,3 5,3 6,3";
    QTest::newRow("along y, upwards") << QPointF(1, 4) << QPointF(1, 1) << 1 << 0 << all << "1,1 1,2 1,3 1,4";
    QTest::newRow("shallow") << QPointF(0, 0) << QPointF(6, 2) << 1 << 0 << all << "0,0 1,0 2,1 3,1 4,1 5,2 6,2";
    QTest::newRow("steep, leftwards") << QPointF(2, 0) << QPointF(0, 4) << 1 << 0 << all << "2,0 2,1 1,2 1,3 0,4";
    QTest::newRow("a point") << QPointF(3.2, 3.7) << QPointF(3.9, 3.1) << 1 << 0 << all << "3,3";
    QTest::newRow("dashed") << QPointF(0, 1) << QPointF(20, 1) << 3 << 2 << all
                            << "0,1 1,1 2,1 5,1 6,1 7,1 10,1 11,1 12,1 15,1 16,1 17,1 20,1";
    QTest::newRow("out of the image") << QPointF(-40, 2) << QPointF(100, 2) << 1 << 0 << all
                                      << "0,2 1,2 2,2 3,2 4,2 5,2 6,2 7,2 8,2 9,2 10,2 11,2 12,2 13,2 14,2 15,2 16,2 "
                                         "17,2 18,2 19,2 20,2 21,2 22,2 23,2";
    QTest::newRow("clipped") << QPointF(0, 0) << QPointF(7, 7) << 1 << 0 << QRect(2, 1, 3, 5) << "2,2 3,3 4,4";
    QTest::newRow("wholly outside") << QPointF(0, 7) << QPointF(7, 7) << 1 << 0 << QRect(0, 0, 24, 6) << "";
    QTest::newRow("not a number") << QPointF(qQNaN(), 1) << QPointF(3, 1) << 1 << 0 << all << "";
}

void TestThinLineRasteriser::setsThePixelsOnTheLine()
{
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(int, dash);
    QFETCH(int, gap);
    QFETCH(QRect, clip);
    QFETCH(QString, pixels);
    QImage image = blank();
    ThinLineRasteriser rasteriser(image, clip);
    rasteriser.setColour(ink);
    rasteriser.setDash(dash, gap);
    rasteriser.drawLine(from, to);
    QCOMPARE(inkedPixels(image), pixels);
}

void TestThinLineRasteriser::drawsWhatThePainterDraws_data()
{
    QTest::addColumn<QPolygonF>("polyline");
    QTest::newRow("an L") << QPolygonF({QPointF(2, 6), QPointF(20, 6), QPointF(20, 1)});
    QTest::newRow("a triangle") << QPolygonF({QPointF(2, 1), QPointF(7, 6), QPointF(2, 6), QPointF(2, 1)});
    QTest::newRow("a box") << QPolygonF({QPointF(1, 1), QPointF(9, 1), QPointF(9, 5), QPointF(1, 5), QPointF(1, 1)});
}

void TestThinLineRasteriser::drawsWhatThePainterDraws()
{
    QFETCH(QPolygonF, polyline);
    QImage painted = blank();
    QPainter painter(&painted);
    painter.setPen(QPen(QColor::fromRgba(ink), 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPolyline(polyline);
    painter.end();
    QImage rasterised = blank();
    ThinLineRasteriser rasteriser(rasterised, rasterised.rect());
    rasteriser.setColour(ink);
    rasteriser.moveTo(polyline.first());
    for (const QPointF &point : polyline)
        rasteriser.lineTo(point);
    QCOMPARE(inkedPixels(rasterised), inkedPixels(painted));
}

void TestThinLineRasteriser::drawsAPolylineAsItsPieces()
{
    // A fine circle, many points to a pixel, partly outside the image.
    QPolygonF circle;
    for (int i = 0; i <= 400; ++i)
        circle << QPointF(12 + 9 * std::cos(qDegreesToRadians(i * 0.9)), 4 + 6 * std::sin(qDegreesToRadians(i * 0.9)));
    QImage whole = blank();
    ThinLineRasteriser piecewise(whole, whole.rect());
    for (int i = 1; i < circle.size(); ++i)
        piecewise.drawLine(circle[i - 1], circle[i]);
    QImage pointByPoint = blank();
    ThinLineRasteriser rasteriser(pointByPoint, pointByPoint.rect());
    rasteriser.moveTo(circle.first());
    for (const QPointF &point : circle)
        rasteriser.lineTo(point);
    QVERIFY(!inkedPixels(whole).isEmpty());
    QCOMPARE(inkedPixels(pointByPoint), inkedPixels(whole));
}

QTEST_MAIN(TestThinLineRasteriser)
#include "tst_thinlinerasteriser.moc"
