#include "preview/toolpathview.h"

#include <QtTest>

class TestToolpathView : public QObject
{
    Q_OBJECT

private slots:
    void zoomKeepsThePointUnderTheCursor_data();
    void zoomKeepsThePointUnderTheCursor();
    void panMovesThePointWithTheCursor();
    void fitShowsTheWholeBounds_data();
    void fitShowsTheWholeBounds();
};

void TestToolpathView::zoomKeepsThePointUnderTheCursor_data()
{
    QTest::addColumn<double>("factor");
    QTest::addColumn<QPointF>("cursor");
    QTest::newRow("in at a corner") << 1.25 << QPointF(0, 0);
    QTest::newRow("out off centre") << 0.8 << QPointF(713.5, 41.25);
    QTest::newRow("far in") << 1000.0 << QPointF(-20, 900);
    QTest::newRow("past the largest scale") << 1e12 << QPointF(300, 200);
}

void TestToolpathView::zoomKeepsThePointUnderTheCursor()
{
    QFETCH(double, factor);
    QFETCH(QPointF, cursor);
    ToolpathView view(3.5, QPointF(120, 480));
    const QPointF held = view.toDrawing(cursor);
    view.zoomAbout(cursor, factor);
    QCOMPARE(view.scale(), std::min(3.5 * factor, ToolpathView::maximumScale));
    QVERIFY(QLineF(view.toDevice(held), cursor).length() < 1e-6);
}

void TestToolpathView::panMovesThePointWithTheCursor()
{
    ToolpathView view(2, QPointF(10, 300));
    const QPointF grabbed = view.toDrawing(QPointF(50, 60));
    view.panBy(QPointF(-31, 17.5));
    QCOMPARE(view.toDrawing(QPointF(19, 77.5)), grabbed);
    QCOMPARE(view.scale(), 2.0);
}

void TestToolpathView::fitShowsTheWholeBounds_data()
{
    QTest::addColumn<QRectF>("bounds");
    QTest::addColumn<QSizeF>("size");
    QTest::newRow("wide") << QRectF(-5, 2, 300, 40) << QSizeF(800, 600);
    QTest::newRow("tall, far from the origin") << QRectF(1e6, -1e6, 3, 90) << QSizeF(800, 600);
    QTest::newRow("tiny") << QRectF(0.25, 0.25, 0.001, 0.002) << QSizeF(400, 400);
}

void TestToolpathView::fitShowsTheWholeBounds()
{
    QFETCH(QRectF, bounds);
    QFETCH(QSizeF, size);
    ToolpathView view;
    const double margin = 20;
    view.fit(bounds, size, margin);
    const QRectF inner(QPointF(margin, margin), size - QSizeF(2 * margin, 2 * margin));
    const QRectF shown = QRectF(view.toDevice(bounds.topLeft()), view.toDevice(bounds.bottomRight())).normalized();
    QVERIFY2(inner.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(shown), "the bounds lie within the margin");
    QVERIFY(QLineF(shown.center(), inner.center()).length() < 1e-6);
    // As large as the margin lets it be, unless the bounds are too small to
    // make out.
    if (bounds.width() > 1)
        QVERIFY(qAbs(shown.width() - inner.width()) < 1e-6 || qAbs(shown.height() - inner.height()) < 1e-6);
}

QTEST_APPLESS_MAIN(TestToolpathView)
#include "tst_toolpathview.moc"
