#include "preview/previewcolors.h"
#include "preview/previewimage.h"
#include "preview/toolpath.h"
#include "preview/toolpathpainter.h"
#include "preview/toolpathview.h"

#include "drawing/drawing.h"

#include <QPainter>
#include <QtTest>

namespace {

// Two objects: an L from (10, 10) over (30, 10) to (30, 20), then a stroke
// from (50, 20) up to (50, 40); the travel between them runs along y = 20.
Toolpath knownToolpath()
{
    Drawing drawing;
    DrawingObject *l = drawing.addObject();
    for (const QPointF &p : {QPointF(10, 10), QPointF(30, 10), QPointF(30, 20)})
        l->appendPoint(p);
    DrawingObject *stroke = drawing.addObject();
    stroke->appendPoint(QPointF(50, 20));
    stroke->appendPoint(QPointF(50, 40));
    return toolpathOf(drawing);
}

QRect boxOf(const QImage &image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

} // namespace

class TestToolpathPicture : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawsCutAndTravelWhereTheyAre_data();
    void drawsCutAndTravelWhereTheyAre();
    void cutLiesExactlyOnTheDrawing();
    void fittedPictureShowsTheWholeDrawing();
    void writesAPngOrSaysWhyNot();

private:
    QImage m_image;
};

void TestToolpathPicture::initTestCase()
{
    // Ten pixels a millimetre, the origin at the bottom left corner: a
    // drawing point (x, y) lies at pixel (10x, 500 - 10y).
    m_image = QImage(600, 500, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&m_image);
    paintToolpath(painter, m_image.rect(), knownToolpath(), ToolpathView(10, QPointF(0, 500)));
}

void TestToolpathPicture::drawsCutAndTravelWhereTheyAre_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("first cut, along x") << QPoint(200, 399) << PreviewColors::cut;
    QTest::newRow("first cut, along y") << QPoint(300, 350) << PreviewColors::cut;
    QTest::newRow("second cut") << QPoint(499, 200) << PreviewColors::cut;
    QTest::newRow("travel, in a dash") << QPoint(305, 299) << PreviewColors::travel;
    QTest::newRow("travel, in the next dash") << QPoint(317, 300) << PreviewColors::travel;
    QTest::newRow("travel, between dashes") << QPoint(311, 299) << PreviewColors::background;
    QTest::newRow("beside the cut") << QPoint(205, 396) << PreviewColors::background;
    QTest::newRow("first point marked") << QPoint(100, 404) << PreviewColors::firstPoint;
}

void TestToolpathPicture::drawsCutAndTravelWhereTheyAre()
{
    QFETCH(QPoint, pixel);
    QFETCH(QRgb, colour);
    QCOMPARE(QString::number(m_image.pixel(pixel), 16), QString::number(colour, 16));
}

void TestToolpathPicture::cutLiesExactlyOnTheDrawing()
{
    // Two pixels wide around the lines from pixel (100, 400) to (300, 400),
    // up to (300, 300), and from (500, 300) up to (500, 100).
    QCOMPARE(boxOf(m_image, PreviewColors::cut), QRect(QPoint(100, 100), QPoint(500, 400)));
    QCOMPARE(boxOf(m_image, PreviewColors::travel).top(), 299);
}

void TestToolpathPicture::fittedPictureShowsTheWholeDrawing()
{
    const QImage image = previewImage(knownToolpath(), QSize(400, 300));
    QCOMPARE(image.size(), QSize(400, 300));
    const QRect cut = boxOf(image, PreviewColors::cut);
    QVERIFY(!cut.isEmpty());
    QVERIFY(QRect(30, 30, 340, 240).contains(cut));
    // The origin is part of what is fitted, since the travel starts there.
    QVERIFY(cut.left() > 100);
    QVERIFY(cut.top() < 45);
}

void TestToolpathPicture::writesAPngOrSaysWhyNot()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("part.png"));
    QString error;
    QVERIFY(writePreviewImage(path, knownToolpath(), QSize(320, 240), error));
    QImage written(path, "PNG");
    QCOMPARE(written.size(), QSize(320, 240));
    QVERIFY(!boxOf(written, PreviewColors::cut).isEmpty());

    QVERIFY(!writePreviewImage(directory.filePath(QStringLiteral("missing/part.png")), knownToolpath(),
                               QSize(320, 240), error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestToolpathPicture)
#include "tst_toolpathpicture.moc"
